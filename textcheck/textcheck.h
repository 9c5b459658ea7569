#pragma once

#include "engine/textcheck.h"

#include <QList>
#include <QString>
#include <optional>

// The text check in Qt's types, for the windows and the command line: the engine's check (see
// engine/textcheck.h) with its texts as QString. Safe to call from several threads at once.

using engine::FigureKind;
using engine::FigureVerdict;
using engine::TestKind;
using engine::Verdict;
using engine::VerdictTotals;

// Where a piece stands in the text: offset and length in UTF-16 code units, line and column from
// 1 (the column also in code units). Line ends are \n, \r\n, \r, U+2028 and U+2029.
struct TextPlace {
    qsizetype offset = 0, length = 0;
    int line = 1, column = 1;
};

// A figure reported with a result (an effect size, a confidence interval, b and its SE, the
// sample size against the degrees of freedom, a mean under GRIM or GRIMMER), checked against the
// result's statistic.

struct FigureFinding {
    TextPlace place;
    QString quote; // the figure as it stands in the text, line ends as blanks
    FigureKind kind = FigureKind::EffectSize;
    FigureVerdict verdict = FigureVerdict::Unchecked;
    // In the strip's words: "d_z = 0.90 does not fit t(38) = 2.10: a paired design gives
    // d_z = 0.34", or why the figure could not be checked.
    QString message;
};

struct FoundResult {
    TextPlace place;
    // The result as it stands in the text, from its statistic to its p, line ends as blanks.
    QString quote;
    TestKind test = TestKind::T;
    // Degrees of freedom and N as written (empty where absent) and as read.
    QString df1Text, df2Text, nText;
    std::optional<double> df1, df2, n;
    QString statisticComparison; // "=", "<" or ">"
    QString statistic;           // as written
    QString pComparison;         // "=", "<", ">", "<=", ">=" or "ns"
    QString p;                   // as written; empty for "ns"
    // The p the statistic gives at its written value, and over its rounding interval; none when
    // unchecked.
    std::optional<double> computedP;
    std::optional<double> computedPLow, computedPHigh;
    int tails = 2; // 1 or 2; F, chi-square and Q have their one (upper) tail and say 1
    Verdict verdict = Verdict::Unchecked;
    // In the strip's words: "t(38) = 2.10 gives p = .042 (two-tailed), not .02", or why the
    // result could not be checked.
    QString message;
    // The result's other figures, in the text's order.
    QList<FigureFinding> findings;
};

struct TextCheck {
    QList<FoundResult> results; // in the text's order
    // p values that stand with no statistic, so that the user sees how much could be checked.
    QList<TextPlace> pValuesWithoutStatistic;
};

// How a text is checked. alpha as the user typed it (".05"); a text that is not a number between
// 0 and 1 counts as .05. GRIM and GRIMMER only where the user says the scores are whole numbers
// (or averages of `items` whole-number items).
struct CheckSettings {
    QString alpha = QStringLiteral(".05");
    bool wholeNumberScores = false;
    int items = 1;
};
TextCheck CheckText(const QString &text, const CheckSettings &settings);
TextCheck CheckText(const QString &text, const QString &alphaText = QStringLiteral(".05"));
// Whether a text is such a level: strictly between 0 and 1, in the manuscripts' notation (".05",
// "0.05"), blanks around it allowed.
bool IsAlphaLevel(const QString &alphaText);

using engine::CountVerdicts;
// "14 results: 11 consistent, 2 inconsistent, 1 decision error; 3 p values without a statistic"
// (unchecked results named only when there are some), and, where other figures were checked,
// "; 9 figures checked, 1 inconsistent".
QString TotalsLine(const VerdictTotals &totals);

// The names the command line and its JSON use: "consistent", "inconsistent", "decision",
// "consistent-one-tailed", "unchecked"; "t", "F", "r", "chi2", "z", "Q".
QString VerdictName(Verdict verdict);
QString TestName(TestKind test);
// Whether a verdict says that the text needs mending (inconsistent or decision).
using engine::IsInconsistent;
// "effect-size", "interval", "b-se", "df-n", "grim", "grimmer"; "consistent", "inconsistent",
// "unchecked".
QString FigureKindName(FigureKind kind);
QString FigureVerdictName(FigureVerdict verdict);
// Whether the result or any of its figures needs mending.
using engine::NeedsMending;

#pragma once

#include "checks/findings.h"
#include "checks/rounding.h"
#include "engine/pformat.h"

#include <QLocale>
#include <QString>
#include <optional>

// The strip's number formats, and how a reported p stands against the p its statistic gives, in
// the user's regional format.

using engine::PComparison;

// A computed p as the strip shows it: two significant digits, no leading zero, "< .0001" below
// that. Beside a typed p below .0001, "<" only a decade below the typed p, so that a lost zero
// shows; in E notation when the typed p is; and when `apart`, with as many more digits as it
// takes for the two not to read alike.
QString FormatP(double p, const QString &typedP = {}, bool apart = false,
                const QLocale &locale = QLocale());
// Two decimals (d, t, interval limits), never "-0.00"; a correlation without its leading zero;
// a proportion of variance (η²) with two decimals and without its leading zero.
QString FormatFixed(double value, int decimals = 2, const QLocale &locale = QLocale());
// A figure without the zero before its decimal point (".45", "−.45"), in `locale`'s notation.
QString WithoutLeadingZero(QString text, const QLocale &locale = QLocale());
QString FormatCorrelation(double r);
QString FormatProportion(double value);
// A typed figure as the strip echoes it: trimmed, its minus signs those of the computed figures,
// so that a line has one minus sign.
QString EchoFigure(const QString &text, const QLocale &locale = QLocale());

// How a reported p stands against the p its statistic gives, over the statistic's rounding
// interval. `gives` reads "t(38) = 2.10 gives p = .042 (two-tailed)", `against` ", not .02" and
// `decisionNote` " — at α = .05 the result would not be significant" where the conclusion at
// alpha changes. `relation` is how p stands to the shown p: "=", or "<" and ">" for a statistic
// reported as a bound. Figures are read and written in `locale`'s notation.
struct PJudgement {
    bool agree = false;
    bool decisionFlips = false;
    QString gives, against, decisionNote;
    std::optional<Finding> style;
};
PJudgement JudgeP(const QString &statistic, Interval pOfStatistic, double pAtTyped, bool oneTailed,
                  bool withTails, PComparison comparison, const QString &pText,
                  const QString &alphaText, const QLocale &locale = QLocale(),
                  const QString &relation = QStringLiteral("="));

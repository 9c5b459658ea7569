#pragma once

#include "checks/rounding.h"

#include <QList>
#include <QString>
#include <functional>
#include <optional>

// The lines the figure checks give, and the ranges they hold the typed figures to.

struct Finding {
    enum Kind { Agree, Warning, Effect };
    // Where the line stands in the strip, whichever check found it.
    enum Topic { P, Figures, Names, Style, EffectSize };
    Kind kind;
    QString text; // plain text, numbers in the user's regional format
    // For an effect size: the phrase to paste, as HTML (symbol in italics) and as plain text.
    QString copyHtml, copyText;
    Topic topic = Figures;
};
using Findings = QList<Finding>;

// A field whose text goes into the page as typed, by the caption the window shows beside it.
struct NameField {
    QString caption, text;
};

// The lines of a window's checks and of its names, in the strip's order: p, the figures, the
// names, style, the effect size. The figure lines are left out when a distribution cannot be
// evaluated for such figures: a check must never take the report down with it.
Findings Guarded(const std::function<Findings()> &checks, const QList<NameField> &names);

// The p lines: agree or check, and whether the conclusion at alpha would change; after the
// names, a style line for a p typed as zero to its last decimal. `statistic` is how the line
// names the statistic, e.g. "t(40) = 3.37", its figures as typed.
Findings PFinding(const QString &statistic, Interval pOfStatistic, double pAtTyped, bool oneTailed,
                  bool withTails, const QString &pText, const QString &alphaText);

// The p lines of a t-test, from the fields as typed: one-tailed only when the tails text is
// exactly "1".
Findings TPFinding(const QString &dfText, const QString &tText, const QString &tailsText,
                   const QString &pText, const QString &alphaText);

// The p lines of a correlation, from the fields as typed: t = r·√(df / (1 − r²)) over r's
// rounding interval, which stops at −1 and 1 (p then reaches 0); one-tailed only when the tails
// text is exactly "1".
Findings RPFinding(const QString &dfText, const QString &rText, const QString &tailsText,
                   const QString &pText, const QString &alphaText);

// The p lines of an F test, from the fields as typed; F has one tail.
Findings FPFinding(const QString &df1Text, const QString &df2Text, const QString &fText,
                   const QString &pText, const QString &alphaText);

// The effect-size line and its copy phrase, the symbol given in HTML and in plain text; the
// interval at its level in percent, its limits written by formatLimit (two decimals if none).
Finding EffectFinding(const QString &symbolHtml, const QString &symbolText, const QString &value,
                      std::optional<Interval> ci, int level = 95,
                      QString (*formatLimit)(double) = nullptr);

// A correlation's effect-size line: r, its interval and r², all without leading zero.
Finding CorrelationEffectFinding(double r, std::optional<Interval> ci);

// A figure's allowed range; the message names it, %1 the figure as typed (trimmed).
struct RangeRule {
    QString text, message;
    double lowest, highest;
    bool excludeLowest = false;
    bool wholeNumber = false;
};
// The rules the windows share: p and alpha within 0 to 1, an SD not negative, df and N above 0.
RangeRule PRule(const QString &text);
RangeRule AlphaRule(const QString &text);
RangeRule SdRule(const QString &text);
RangeRule DfRule(const QString &text);
RangeRule SampleSizeRule(const QString &text);
// A "Check" line for the first figure outside its range; none when all are in range.
std::optional<Finding> OutOfRange(const QList<RangeRule> &rules);

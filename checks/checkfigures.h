#pragma once

#include <QList>
#include <QLocale>
#include <QString>
#include <functional>
#include <optional>

// What the figure checks share: their findings, the rounding interval a typed figure stands
// for, the p of a test statistic and the strip's number formats.

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

// A typed figure with k decimals stands for any value within half a unit of its last decimal.
struct Interval {
    double lo, hi;
};
std::optional<Interval> Rounded(const QString &text, const QLocale &locale = QLocale());
// The same for a typed p, within 0 to 1, except that a p typed as a whole number is exact.
std::optional<Interval> RoundedP(const QString &text, const QLocale &locale = QLocale());

bool Overlap(Interval a, Interval b);
// The range of |x| for x in the interval.
Interval Magnitude(Interval x);

// p of |t| with df degrees of freedom, one- or two-tailed; of chi-square with df (one unless
// given); of F with df1 and df2 degrees of freedom (its upper tail); of |z|, one- or two-tailed.
double PFromT(double absT, double df, bool oneTailed);
double PFromChiSquare(double chiSquare, double df = 1);
double PFromZ(double absZ, bool oneTailed);
// p of |r| with df degrees of freedom, through t = r·√(df / (1 − r²)); 0 for a perfect r.
double PFromR(double absR, double df, bool oneTailed);
double PFromF(double f, double df1, double df2);

// The confidence limits of the noncentrality for a typed t (95%), from the noncentral t; none
// where they cannot be computed.
std::optional<Interval> NoncentralityLimits(double t, double df);
std::optional<Interval> Scaled(std::optional<Interval> limits, double factor);

// η² = F·df1 / (F·df1 + df2) of an F test, and its 90% confidence limits: the noncentralities λ
// at which the typed F cuts off .05 above and .05 below, each as λ / (λ + df2) (F = λ / df1). A
// limit is 0 where F cuts off less even without noncentrality; none where they cannot be computed.
double EtaSquared(double f, double df1, double df2);
std::optional<Interval> EtaSquaredLimits(double f, double df1, double df2);

// A field whose text goes into the page as typed, by the caption the window shows beside it.
struct NameField {
    QString caption, text;
};

// The lines of a window's checks and of its names, in the strip's order: p, the figures, the
// names, style, the effect size. The figure lines are left out when a distribution cannot be
// evaluated for such figures: a check must never take the report down with it.
Findings Guarded(const std::function<Findings()> &checks, const QList<NameField> &names);

// A computed p as the strip shows it: two significant digits, no leading zero, "< .0001" below
// that. Beside a typed p below .0001, "<" only a decade below the typed p, so that a lost zero
// shows; in E notation when the typed p is; and when `apart`, with as many more digits as it
// takes for the two not to read alike.
QString FormatP(double p, const QString &typedP = {}, bool apart = false,
                const QLocale &locale = QLocale());
// Two decimals (d, t, interval limits), never "-0.00"; a correlation without its leading zero;
// a proportion of variance (η²) with two decimals and without its leading zero.
QString FormatFixed(double value, int decimals = 2, const QLocale &locale = QLocale());
QString FormatCorrelation(double r);
QString FormatProportion(double value);
// A typed figure as the strip echoes it: trimmed, its minus signs those of the computed figures,
// so that a line has one minus sign.
QString EchoFigure(const QString &text, const QLocale &locale = QLocale());

// How a p is reported: exactly, as a bound, or as "ns" (not below alpha).
enum class PComparison { Equal, Less, Greater, LessOrEqual, GreaterOrEqual, NotSignificant };

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

// The 95% limits of a correlation from Fisher's z with N cases; none where r is ±1 or N is 3 or
// less, where z or its standard error has no value.
std::optional<Interval> FisherZLimits(double r, double n);
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

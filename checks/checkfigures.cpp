#include "checks/checkfigures.h"

#include "checks/checknames.h"

#include "common/fieldtext.h"

#include <QLocale>
#include <algorithm>
// In double precision throughout: promoting to long double made each p many times slower (a
// text check computes thousands) and changes no figure at the digits shown.
#define BOOST_MATH_PROMOTE_DOUBLE_POLICY false
#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/fisher_f.hpp>
#include <boost/math/distributions/non_central_f.hpp>
#include <boost/math/distributions/non_central_t.hpp>
#include <boost/math/distributions/normal.hpp>
#include <boost/math/distributions/students_t.hpp>
#include <boost/math/tools/toms748_solve.hpp>
#include <cmath>
#include <stdexcept>

using namespace Qt::Literals::StringLiterals;

namespace {
// A typed figure's value and half the unit of its last typed digit.
struct TypedFigure {
    double value, half;
};

std::optional<TypedFigure> ReadFigure(const QString &text, const QLocale &locale)
{
    const std::optional<double> value = TextToNumber(text, locale);
    if (!value)
        return std::nullopt;
    // The last typed decimal sets the unit: "3.37" is 3.365 to 3.375, "2E-3" 0.0015 to 0.0025.
    const QString trimmed = TrimSpaces(text);
    const qsizetype e = trimmed.indexOf(u'e', 0, Qt::CaseInsensitive);
    const QString mantissa = e < 0 ? trimmed : trimmed.left(e);
    const qsizetype point = mantissa.indexOf(locale.decimalPoint());
    const qsizetype decimals = point < 0 ? 0 : mantissa.size() - point - 1;
    const int exponent = e < 0 ? 0 : locale.toInt(trimmed.mid(e + 1));
    const double half = 0.5 * std::pow(10.0, exponent - double(decimals));
    return TypedFigure{*value, half};
}

bool InExponentForm(const QString &text)
{
    return text.contains(u'e', Qt::CaseInsensitive);
}
} // namespace

std::optional<Interval> Rounded(const QString &text, const QLocale &locale)
{
    const std::optional<TypedFigure> figure = ReadFigure(text, locale);
    if (!figure)
        return std::nullopt;
    return Interval{figure->value - figure->half, figure->value + figure->half};
}

std::optional<Interval> RoundedP(const QString &text, const QLocale &locale)
{
    const std::optional<TypedFigure> figure = ReadFigure(text, locale);
    if (!figure)
        return std::nullopt;
    // No p is exactly 0, and p is 1 only for a statistic of 0: a p of "0" or "1" says just that,
    // not "up to .5".
    if (figure->half >= 0.5)
        return Interval{figure->value, figure->value};
    return Interval{std::max(0.0, figure->value - figure->half),
                    std::min(1.0, figure->value + figure->half)};
}

bool Overlap(Interval a, Interval b)
{
    return a.lo <= b.hi && b.lo <= a.hi;
}

Interval Magnitude(Interval x)
{
    if (x.lo <= 0 && x.hi >= 0)
        return {0, std::max(-x.lo, x.hi)};
    return {std::min(std::abs(x.lo), std::abs(x.hi)), std::max(std::abs(x.lo), std::abs(x.hi))};
}

double PFromT(double absT, double df, bool oneTailed)
{
    const double tail = boost::math::cdf(complement(boost::math::students_t(df), absT));
    return oneTailed ? tail : 2 * tail;
}

double PFromChiSquare(double chiSquare, double df)
{
    return boost::math::cdf(complement(boost::math::chi_squared(df), std::max(chiSquare, 0.0)));
}

double PFromZ(double absZ, bool oneTailed)
{
    const double tail = boost::math::cdf(complement(boost::math::normal(), absZ));
    return oneTailed ? tail : 2 * tail;
}

double PFromF(double f, double df1, double df2)
{
    return boost::math::cdf(complement(boost::math::fisher_f(df1, df2), std::max(f, 0.0)));
}

namespace {
// The noncentrality at which the typed t cuts off this lower-tail probability; none where the
// root cannot be bracketed (a t or df so large that the distribution cannot be evaluated).
std::optional<double> NoncentralityAt(double t, double df, double probability)
{
    const auto gap = [&](double delta) {
        return boost::math::cdf(boost::math::non_central_t(df, delta), t) - probability;
    };
    // The tail probability falls as the noncentrality grows. The search starts near the root,
    // t -/+ 1.96 standard errors of the noncentral t, and widens until it brackets the root.
    const double sign = probability > 0.5 ? -1 : 1;
    const double guess = t + sign * 1.96 * std::sqrt(1 + t * t / (2 * df));
    const double step = 0.1 * (1 + std::abs(guess));
    double lo = guess - step, hi = guess + step;
    double atLo = gap(lo), atHi = gap(hi);
    for (int widened = 0; atLo < 0 || atHi > 0; ++widened) {
        if (widened == 12)
            return std::nullopt;
        if (atLo < 0)
            atLo = gap(lo -= step * (2 << widened));
        if (atHi > 0)
            atHi = gap(hi += step * (2 << widened));
    }
    // The limits are shown to two decimals: a millionth (20 bits) is ample.
    std::uintmax_t iterations = 100;
    const auto root = boost::math::tools::toms748_solve(
        gap, lo, hi, atLo, atHi, boost::math::tools::eps_tolerance<double>(20), iterations);
    return (root.first + root.second) / 2;
}

// A perfect correlation leaves no residual: t grows without bound and p reaches 0.
double TFromR(double absR, double df)
{
    return absR >= 1 ? INFINITY : absR * std::sqrt(df / (1 - absR * absR));
}

// The noncentrality at which the typed F cuts off this lower-tail probability; 0 where F cuts off
// less even without noncentrality, none where the root cannot be bracketed.
std::optional<double> NoncentralityAtF(double f, double df1, double df2, double probability)
{
    const auto gap = [&](double lambda) {
        return boost::math::cdf(boost::math::non_central_f(df1, df2, lambda), f) - probability;
    };
    double atLo = gap(0);
    if (atLo <= 0)
        return 0.0;
    // The tail probability falls as the noncentrality grows; F * df1 estimates it, so the search
    // starts there and doubles until it brackets the root.
    double lo = 0, hi = std::max(1.0, 2 * f * df1), atHi = gap(hi);
    for (int widened = 0; atHi > 0; ++widened) {
        if (widened == 12)
            return std::nullopt;
        lo = hi;
        atLo = atHi;
        atHi = gap(hi *= 2);
    }
    std::uintmax_t iterations = 100;
    const auto root = boost::math::tools::toms748_solve(
        gap, lo, hi, atLo, atHi, boost::math::tools::eps_tolerance<double>(20), iterations);
    return (root.first + root.second) / 2;
}

QString WithoutLeadingZero(QString text, const QLocale &locale = QLocale())
{
    const QString zeroPoint = locale.zeroDigit() + locale.decimalPoint();
    const qsizetype at = text.indexOf(zeroPoint);
    if (at == 0 || (at > 0 && !text.at(at - 1).isDigit()))
        text.remove(at, locale.zeroDigit().size());
    return text;
}
} // namespace

double PFromR(double absR, double df, bool oneTailed)
{
    return PFromT(TFromR(absR, df), df, oneTailed);
}

std::optional<Interval> NoncentralityLimits(double t, double df)
{
    // Boost reports what it cannot evaluate by throwing; the effect size then goes without it.
    try {
        const auto lo = NoncentralityAt(t, df, 0.975), hi = NoncentralityAt(t, df, 0.025);
        if (lo && hi)
            return Interval{*lo, *hi};
    } catch (const std::exception &) {
    }
    return std::nullopt;
}

double EtaSquared(double f, double df1, double df2)
{
    return f * df1 / (f * df1 + df2);
}

std::optional<Interval> EtaSquaredLimits(double f, double df1, double df2)
{
    try {
        const auto lo = NoncentralityAtF(f, df1, df2, 0.95);
        const auto hi = NoncentralityAtF(f, df1, df2, 0.05);
        if (lo && hi)
            return Interval{*lo / (*lo + df2), *hi / (*hi + df2)};
    } catch (const std::exception &) {
    }
    return std::nullopt;
}

std::optional<Interval> Scaled(std::optional<Interval> limits, double factor)
{
    if (!limits)
        return std::nullopt;
    return Interval{limits->lo * factor, limits->hi * factor};
}

Findings Guarded(const std::function<Findings()> &checks, const QList<NameField> &names)
{
    Findings lines;
    try {
        lines = checks();
    } catch (const std::exception &) {
    }
    if (const std::optional<Finding> markup = NamesFinding(names))
        lines << *markup;
    std::stable_sort(lines.begin(), lines.end(),
                     [](const Finding &a, const Finding &b) { return a.topic < b.topic; });
    return lines;
}

QString FormatFixed(double value, int decimals, const QLocale &notation)
{
    QLocale locale = notation;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    QString text = locale.toString(value, 'f', decimals);
    // A limit that rounds to zero is zero, without a sign.
    if (value < 0 && locale.toDouble(text) == 0)
        text = locale.toString(0.0, 'f', decimals);
    if (locale.negativeSign() == u"-"_s)
        text.replace(u'-', u'\u2212');
    return text;
}

QString EchoFigure(const QString &text, const QLocale &locale)
{
    QString echo = TrimSpaces(text);
    if (locale.negativeSign() != u"-"_s)
        return echo;
    for (qsizetype at = 0; at + 1 < echo.size(); ++at) {
        if (echo.at(at) == u'-' &&
            (echo.at(at + 1).isDigit() ||
             QStringView(echo).mid(at + 1).startsWith(locale.decimalPoint())))
            echo[at] = u'\u2212';
    }
    return echo;
}

namespace {
// A p to this many significant digits, and what that text stands for.
struct ShownP {
    QString text;
    Interval standsFor;
};

ShownP PWithDigits(double p, int significant, bool exponent, const QLocale &locale)
{
    int power = int(std::floor(std::log10(p)));
    double unit = std::pow(10.0, power + 1 - significant);
    double rounded = std::round(p / unit) * unit;
    // .00996 is .010 to two digits: they count from the next power of ten.
    if (rounded >= std::pow(10.0, power + 1)) {
        ++power;
        unit *= 10;
        rounded = std::round(p / unit) * unit;
    }
    const Interval standsFor{rounded - unit / 2, rounded + unit / 2};
    if (exponent)
        return {FormatFixed(rounded / std::pow(10.0, power), significant - 1, locale) + u"E"_s +
                    FormatFixed(power, 0, locale),
                standsFor};
    return {WithoutLeadingZero(FormatFixed(rounded, std::max(0, significant - 1 - power), locale),
                               locale),
            standsFor};
}

// Whether two rounding intervals share more than an end.
bool ReadAlike(Interval shown, Interval typed)
{
    const double slack = 1e-9 * (shown.hi - shown.lo);
    return shown.lo < typed.hi - slack && typed.lo < shown.hi - slack;
}

// "p = .000" stands for a p below .0005 and agrees with one, but reads as a p of 0.
std::optional<Finding> ZeroPStyle(const QString &pText, const QLocale &locale)
{
    const std::optional<TypedFigure> typed = ReadFigure(pText, locale);
    if (!typed || typed->value != 0 || !(typed->half > 0) || typed->half >= 0.5)
        return std::nullopt;
    const double unit = 2 * typed->half;
    const int power = int(std::lround(std::log10(unit)));
    const QString bound =
        InExponentForm(pText)
            ? FormatFixed(1, 0, locale) + u"E"_s + FormatFixed(power, 0, locale)
            : WithoutLeadingZero(FormatFixed(unit, std::max(0, -power), locale), locale);
    return Finding{Finding::Warning,
                   u"Style: p = %1 cannot be exact; report it as p < %2."_s.arg(
                       EchoFigure(pText, locale), bound),
                   {},
                   {},
                   Finding::Style};
}
} // namespace

QString FormatP(double p, const QString &typedP, bool apart, const QLocale &locale)
{
    const std::optional<Interval> typed =
        typedP.isEmpty() ? std::nullopt : RoundedP(typedP, locale);
    const bool exponent = typed && InExponentForm(typedP);
    // "< .0001", unless the typed p is below it: then only a decade below the typed p's own, so
    // that a lost zero shows.
    const int lowestPower = typed && typed->lo > 0 && typed->lo < 1e-4
                                ? int(std::floor(std::log10(typed->lo))) - 1
                                : -4;
    const double lowest = std::pow(10.0, lowestPower);
    // NaN and a p that underflowed too: no int conversion below may see them.
    if (!(p >= lowest) || !(p > 0))
        return u"< "_s +
               (exponent ? FormatFixed(1, 0, locale) + u"E"_s + FormatFixed(lowestPower, 0, locale)
                         : WithoutLeadingZero(FormatFixed(lowest, -lowestPower, locale), locale));
    for (int significant = 2;; ++significant) {
        const ShownP shown = PWithDigits(p, significant, exponent, locale);
        if (!apart || !typed || significant == 15 || !ReadAlike(shown.standsFor, *typed))
            return shown.text;
    }
}

QString FormatCorrelation(double r)
{
    return std::abs(r) < 0.995 ? WithoutLeadingZero(FormatFixed(r, 2)) : FormatFixed(r, 1);
}

QString FormatProportion(double value)
{
    return WithoutLeadingZero(FormatFixed(value, 2));
}

PJudgement JudgeP(const QString &statistic, Interval pOfStatistic, double pAtTyped, bool oneTailed,
                  bool withTails, PComparison comparison, const QString &pText,
                  const QString &alphaText, const QLocale &locale, const QString &relation)
{
    PJudgement judgement;
    const std::optional<double> bound = TextToNumber(pText, locale);
    switch (comparison) {
    case PComparison::Equal: {
        const std::optional<Interval> typed = RoundedP(pText, locale);
        // A p typed as 0 is never right, however far the statistic's p underflows.
        judgement.agree = typed && typed->hi > 0 && Overlap(*typed, pOfStatistic);
        break;
    }
    case PComparison::Less:
        judgement.agree = bound && pOfStatistic.lo < *bound;
        break;
    case PComparison::LessOrEqual:
        judgement.agree = bound && pOfStatistic.lo <= *bound;
        break;
    case PComparison::Greater:
        judgement.agree = bound && pOfStatistic.hi > *bound;
        break;
    case PComparison::GreaterOrEqual:
        judgement.agree = bound && pOfStatistic.hi >= *bound;
        break;
    case PComparison::NotSignificant:
        break;
    }
    const std::optional<double> alpha = TextToNumber(alphaText, locale);
    if (comparison == PComparison::NotSignificant)
        judgement.agree = alpha && pOfStatistic.hi >= *alpha;

    const bool exact = comparison == PComparison::Equal;
    const QString shown =
        FormatP(pAtTyped, exact || bound ? pText : QString(), exact && !judgement.agree, locale);
    judgement.gives =
        EchoFigure(statistic, locale) +
        (shown.startsWith(u'<') ? u" gives p "_s : u" gives p "_s + relation + u" "_s) + shown +
        (withTails ? (oneTailed ? u" (one-tailed)"_s : u" (two-tailed)"_s) : QString());
    if (judgement.agree) {
        if (exact)
            judgement.style = ZeroPStyle(pText, locale);
        return judgement;
    }
    static const char16_t *const signs[] = {u"", u"< ", u"> ", u"\u2264 ", u"\u2265 "};
    judgement.against =
        comparison == PComparison::NotSignificant
            ? u", not ns"_s
            : u", not "_s + QString::fromUtf16(signs[int(comparison)]) + EchoFigure(pText, locale);

    // Whether the conclusion at alpha changes: the reported side of alpha against the side the
    // statistic's p falls on, where each is certain.
    std::optional<bool> reported, recomputed;
    if (alpha) {
        switch (comparison) {
        case PComparison::Equal:
            reported = bound && *bound < *alpha;
            break;
        case PComparison::Less:
        case PComparison::LessOrEqual:
            if (bound && *bound <= *alpha)
                reported = true;
            break;
        case PComparison::Greater:
        case PComparison::GreaterOrEqual:
            if (bound && *bound >= *alpha)
                reported = false;
            break;
        case PComparison::NotSignificant:
            reported = false;
            break;
        }
        if (relation == u"="_s)
            recomputed = pAtTyped < *alpha;
        else if (relation == u"<"_s && pAtTyped < *alpha)
            recomputed = true;
        else if (relation == u">"_s && pAtTyped >= *alpha)
            recomputed = false;
    }
    if (reported && recomputed && *reported != *recomputed) {
        judgement.decisionFlips = true;
        judgement.decisionNote = u" \u2014 at \u03b1 = "_s + EchoFigure(alphaText, locale) +
                                 (*recomputed ? u" the result would be significant"_s
                                              : u" the result would not be significant"_s);
    }
    return judgement;
}

Findings PFinding(const QString &statistic, Interval pOfStatistic, double pAtTyped, bool oneTailed,
                  bool withTails, const QString &pText, const QString &alphaText)
{
    const PJudgement judgement = JudgeP(statistic, pOfStatistic, pAtTyped, oneTailed, withTails,
                                        PComparison::Equal, pText, alphaText);
    if (judgement.agree) {
        Findings lines{
            {Finding::Agree, u"Figures agree: "_s + judgement.gives + u"."_s, {}, {}, Finding::P}};
        if (judgement.style)
            lines << *judgement.style;
        return lines;
    }
    return {{Finding::Warning,
             u"Check p: "_s + judgement.gives + judgement.against + judgement.decisionNote + u"."_s,
             {},
             {},
             Finding::P}};
}

Findings TPFinding(const QString &dfText, const QString &tText, const QString &tailsText,
                   const QString &pText, const QString &alphaText)
{
    const double t = *TextToNumber(tText), df = *TextToNumber(dfText);
    const bool oneTailed = tailsText == u"1"_s;
    const Interval tMagnitude = Magnitude(*Rounded(tText));
    return PFinding(u"t(%1) = %2"_s.arg(TrimSpaces(dfText), TrimSpaces(tText)),
                    {PFromT(tMagnitude.hi, df, oneTailed), PFromT(tMagnitude.lo, df, oneTailed)},
                    PFromT(std::abs(t), df, oneTailed), oneTailed, true, pText, alphaText);
}

Findings RPFinding(const QString &dfText, const QString &rText, const QString &tailsText,
                   const QString &pText, const QString &alphaText)
{
    const double r = *TextToNumber(rText), df = *TextToNumber(dfText);
    const bool oneTailed = tailsText == u"1"_s;
    const Interval typed = *Rounded(rText);
    const Interval rMagnitude = Magnitude({std::max(typed.lo, -1.0), std::min(typed.hi, 1.0)});
    return PFinding(u"r(%1) = %2"_s.arg(TrimSpaces(dfText), TrimSpaces(rText)),
                    {PFromT(TFromR(rMagnitude.hi, df), df, oneTailed),
                     PFromT(TFromR(rMagnitude.lo, df), df, oneTailed)},
                    PFromT(TFromR(std::abs(r), df), df, oneTailed), oneTailed, true, pText,
                    alphaText);
}

Findings FPFinding(const QString &df1Text, const QString &df2Text, const QString &fText,
                   const QString &pText, const QString &alphaText)
{
    const double df1 = *TextToNumber(df1Text), df2 = *TextToNumber(df2Text);
    const Interval f = *Rounded(fText);
    return PFinding(
        u"F(%1, %2) = %3"_s.arg(TrimSpaces(df1Text), TrimSpaces(df2Text), TrimSpaces(fText)),
        {PFromF(f.hi, df1, df2), PFromF(f.lo, df1, df2)}, PFromF(*TextToNumber(fText), df1, df2),
        false, false, pText, alphaText);
}

RangeRule PRule(const QString &text)
{
    return {text, u"Check the figures: p = %1 lies outside 0 to 1."_s, 0, 1};
}

RangeRule AlphaRule(const QString &text)
{
    return {text, u"Check the figures: \u03b1 = %1 lies outside 0 to 1."_s, 0, 1};
}

RangeRule SdRule(const QString &text)
{
    return {text, u"Check the figures: SD = %1; an SD cannot be negative."_s, 0, INFINITY};
}

RangeRule DfRule(const QString &text)
{
    return {text, u"Check the figures: df = %1; the degrees of freedom must be above 0."_s, 0,
            INFINITY, true};
}

RangeRule SampleSizeRule(const QString &text)
{
    return {text, u"Check the figures: N = %1; a sample size must be above 0."_s, 0, INFINITY,
            true};
}

Finding EffectFinding(const QString &symbolHtml, const QString &symbolText, const QString &value,
                      std::optional<Interval> ci, int level, QString (*formatLimit)(double))
{
    QString figures = u" = "_s + value;
    if (ci) {
        const auto limit = [formatLimit](double x) {
            return formatLimit ? formatLimit(x) : FormatFixed(x);
        };
        // A decimal comma would blur "[0,39, 1,68]": its limits are parted by a semicolon.
        const QString separator = QLocale().decimalPoint() == u","_s ? u"; "_s : u", "_s;
        figures += u", %1% CI ["_s.arg(level) + limit(ci->lo) + separator + limit(ci->hi) + u"]"_s;
    }
    return {Finding::Effect, u"Effect size: "_s + symbolText + figures, symbolHtml + figures,
            symbolText + figures, Finding::EffectSize};
}

std::optional<Interval> FisherZLimits(double r, double n)
{
    if (!(std::abs(r) < 1 && n > 3))
        return std::nullopt;
    const double z = std::atanh(r);
    const double half = boost::math::quantile(boost::math::normal(), 0.975) / std::sqrt(n - 3);
    return Interval{std::tanh(z - half), std::tanh(z + half)};
}

Finding CorrelationEffectFinding(double r, std::optional<Interval> ci)
{
    Finding line =
        EffectFinding(u"<i>r</i>"_s, u"r"_s, FormatCorrelation(r), ci, 95, FormatCorrelation);
    const QString square = u" = "_s + FormatCorrelation(r * r);
    line.text += u", r\u00b2"_s + square;
    line.copyHtml += u", <i>r</i><sup>2</sup>"_s + square;
    line.copyText += u", r\u00b2"_s + square;
    return line;
}

std::optional<Finding> OutOfRange(const QList<RangeRule> &rules)
{
    for (const RangeRule &rule : rules) {
        const std::optional<double> value = TextToNumber(rule.text);
        if (value && (*value < rule.lowest || *value > rule.highest ||
                      (rule.excludeLowest && *value == rule.lowest) ||
                      (rule.wholeNumber && *value != std::floor(*value))))
            return Finding{Finding::Warning, rule.message.arg(EchoFigure(rule.text)), {}, {}};
    }
    return std::nullopt;
}

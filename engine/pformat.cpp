#include "engine/pformat.h"

#include <algorithm>
#include <cmath>

namespace engine {

Text WithoutLeadingZero(Text text, const Notation &notation)
{
    const Text zero = notation.ZeroDigit();
    const size_t at = text.find(zero + notation.DecimalPoint());
    if (at == 0 || (at != Text::npos && !IsUnicodeDigit(text[at - 1])))
        text.erase(at, zero.size());
    return text;
}

Text FormatFixed(double value, int decimals, const Notation &notation)
{
    Text text = notation.Fixed(value, decimals);
    // A limit that rounds to zero is zero, without a sign.
    if (value < 0 && notation.Read(text) == 0.0)
        text = notation.Fixed(0.0, decimals);
    if (notation.NegativeSign() == u"-")
        text = Replaced(text, u'-', u'\u2212');
    return text;
}

Text EchoFigure(TextView text, const Notation &notation)
{
    Text echo(TrimSpaces(text));
    if (notation.NegativeSign() != u"-")
        return echo;
    const Text point = notation.DecimalPoint();
    for (size_t at = 0; at + 1 < echo.size(); ++at) {
        const char16_t next = echo[at + 1];
        if (echo[at] == u'-' &&
            (IsUnicodeDigit(next) || TextView(echo).substr(at + 1).starts_with(point)))
            echo[at] = u'\u2212';
    }
    return echo;
}

namespace {
// A p to this many significant digits, and what that text stands for.
struct ShownP {
    Text text;
    Interval standsFor;
};

ShownP PWithDigits(double p, int significant, bool exponent, const Notation &notation)
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
        return {FormatFixed(rounded / std::pow(10.0, power), significant - 1, notation) + u"E" +
                    FormatFixed(power, 0, notation),
                standsFor};
    return {WithoutLeadingZero(FormatFixed(rounded, std::max(0, significant - 1 - power), notation),
                               notation),
            standsFor};
}

// Whether two rounding intervals share more than an end.
bool ReadAlike(Interval shown, Interval typed)
{
    const double slack = 1e-9 * (shown.hi - shown.lo);
    return shown.lo < typed.hi - slack && typed.lo < shown.hi - slack;
}

// "p = .000" stands for a p below .0005 and agrees with one, but reads as a p of 0.
std::optional<Text> ZeroPStyle(TextView pText, const Notation &notation)
{
    const std::optional<TypedFigure> typed = ReadFigure(pText, notation);
    if (!typed || typed->value != 0 || !(typed->half > 0) || typed->half >= 0.5)
        return std::nullopt;
    const double unit = 2 * typed->half;
    const int power = int(std::lround(std::log10(unit)));
    const Text bound =
        InExponentForm(pText)
            ? FormatFixed(1, 0, notation) + u"E" + FormatFixed(power, 0, notation)
            : WithoutLeadingZero(FormatFixed(unit, std::max(0, -power), notation), notation);
    return u"Style: p = " + EchoFigure(pText, notation) + u" cannot be exact; report it as p < " +
           bound + u".";
}
} // namespace

Text FormatP(double p, TextView typedP, bool apart, const Notation &notation)
{
    const std::optional<Interval> typed =
        typedP.empty() ? std::nullopt : RoundedP(typedP, notation);
    const bool exponent = typed && InExponentForm(typedP);
    // "< .0001", unless the written p is below it: then only a decade below the written p's own,
    // so that a lost zero shows.
    const int lowestPower = typed && typed->lo > 0 && typed->lo < 1e-4
                                ? int(std::floor(std::log10(typed->lo))) - 1
                                : -4;
    const double lowest = std::pow(10.0, lowestPower);
    // NaN and a p that underflowed too: no int conversion below may see them.
    if (!(p >= lowest) || !(p > 0))
        return u"< " +
               (exponent
                    ? FormatFixed(1, 0, notation) + u"E" + FormatFixed(lowestPower, 0, notation)
                    : WithoutLeadingZero(FormatFixed(lowest, -lowestPower, notation), notation));
    for (int significant = 2;; ++significant) {
        const ShownP shown = PWithDigits(p, significant, exponent, notation);
        if (!apart || !typed || significant == 15 || !ReadAlike(shown.standsFor, *typed))
            return shown.text;
    }
}

PJudgement JudgeP(TextView statistic, Interval pOfStatistic, double pAtTyped, bool oneTailed,
                  bool withTails, PComparison comparison, TextView pText, TextView alphaText,
                  const Notation &notation, TextView relation)
{
    PJudgement judgement;
    const std::optional<double> bound = notation.Read(pText);
    switch (comparison) {
    case PComparison::Equal: {
        const std::optional<Interval> typed = RoundedP(pText, notation);
        // A p written as 0 is never right, however far the statistic's p underflows.
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
    const std::optional<double> alpha = notation.Read(alphaText);
    if (comparison == PComparison::NotSignificant)
        judgement.agree = alpha && pOfStatistic.hi >= *alpha;

    const bool exact = comparison == PComparison::Equal;
    const Text shown =
        FormatP(pAtTyped, exact || bound ? pText : TextView(), exact && !judgement.agree, notation);
    judgement.gives =
        EchoFigure(statistic, notation) +
        (shown.starts_with(u'<') ? Text(u" gives p ") : u" gives p " + Text(relation) + u" ") +
        shown + (withTails ? Text(oneTailed ? u" (one-tailed)" : u" (two-tailed)") : Text());
    if (judgement.agree) {
        if (exact)
            judgement.style = ZeroPStyle(pText, notation);
        return judgement;
    }
    static const char16_t *const signs[] = {u"", u"< ", u"> ", u"\u2264 ", u"\u2265 "};
    judgement.against =
        comparison == PComparison::NotSignificant
            ? Text(u", not ns")
            : u", not " + Text(signs[int(comparison)]) + EchoFigure(pText, notation);

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
        if (relation == u"=")
            recomputed = pAtTyped < *alpha;
        else if (relation == u"<" && pAtTyped < *alpha)
            recomputed = true;
        else if (relation == u">" && pAtTyped >= *alpha)
            recomputed = false;
    }
    if (reported && recomputed && *reported != *recomputed) {
        judgement.decisionFlips = true;
        judgement.decisionNote = u" \u2014 at \u03b1 = " + EchoFigure(alphaText, notation) +
                                 (*recomputed ? u" the result would be significant"
                                              : u" the result would not be significant");
    }
    return judgement;
}

} // namespace engine

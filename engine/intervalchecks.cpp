// The checks of a confidence interval and of b with its SE against their result.
#include "engine/designs.h"
#include "engine/figurecontext.h"
#include "engine/verdicts.h"

#include <cmath>

namespace engine {

using namespace figurereading;

namespace {
// Whether the reported p lies below alpha: true, false, or unknown (its rounding straddles it).
std::optional<bool> ReportedBelow(const FigureContext &c, double alpha)
{
    const ScannedResult &r = c.r;
    const double p = c.Value(r.p);
    switch (r.pComparison) {
    case PComparison::Equal: {
        const Interval written = *RoundedP(r.p.plain, PointNotation());
        if (written.hi < alpha)
            return true;
        if (written.lo >= alpha)
            return false;
        return std::nullopt;
    }
    case PComparison::Less:
    case PComparison::LessOrEqual:
        return p <= alpha ? std::optional(true) : std::nullopt;
    case PComparison::Greater:
    case PComparison::GreaterOrEqual:
        return p >= alpha ? std::optional(false) : std::nullopt;
    case PComparison::NotSignificant:
        return false;
    }
    return std::nullopt;
}

// Every `from` in `text` as `to`, left to right.
Text ReplacedAll(TextView text, TextView from, TextView to)
{
    Text out;
    size_t at = 0;
    for (size_t found; (found = text.find(from, at)) != TextView::npos; at = found + from.size())
        out.append(text.substr(at, found - at)).append(to);
    return out.append(text.substr(at));
}

Text IntervalText(const FigureContext &c, const Figure &interval)
{
    const auto written = [&](const ScannedFigure &f) {
        return EchoFigure(Replaced(Mid(c.text, f.begin, f.end - f.begin), 0x2212, u'-'),
                          PointNotation());
    };
    return Number(interval.level) + Text(u"% CI [") + written(interval.lower) +
           (c.decimalComma ? Text(u"; ") : Text(u", ")) + written(interval.upper) + Text(u"]");
}
} // namespace

void CheckInterval(FigureContext &c, const Figure &interval, const Figure *estimate)
{
    const Interval lower = c.Range(interval.lower), upper = c.Range(interval.upper);
    // A converter's garble ("[0.090, 0.040]") is no interval.
    if (!(lower.lo <= upper.hi))
        return;
    const Text shown = IntervalText(c, interval);
    const bool dFamily = estimate && (estimate->name == Name::D || estimate->name == Name::Dz ||
                                      estimate->name == Name::Dav || estimate->name == Name::G);
    if (dFamily) {
        // Narrower than any design's interval of d with these degrees of freedom: the interval
        // of another quantity (the raw difference) written after d.
        const double df = c.r.test == TestKind::F ? c.Value(c.r.df2) : c.Df1();
        const double narrowest = 1.96 / std::sqrt(df + 1) * 0.9;
        // Far wider than any design's interval of d: of a quantity in the measure's own units.
        const double d = std::abs(c.Value(estimate->value));
        const double widest = 1.96 * std::sqrt(4 / (df + 2) + d * d / (2 * (df + 2))) * 2;
        const double half = (upper.hi - lower.lo) / 2;
        if (half < 0.6 * narrowest * interval.level / 95.0 || half > widest)
            return;
    }
    // The estimate lies inside its interval.
    if (estimate) {
        const Interval value = c.Range(estimate->value);
        // A proportion's interval stops at 0, where a negative estimate (ω²) may lie.
        const bool belowZeroBound = value.hi < 0 && lower.lo <= 0;
        if (!belowZeroBound && (value.hi < lower.lo || value.lo > upper.hi)) {
            c.Add(interval, FigureKind::Interval,
                  dFamily ? FigureVerdict::Unchecked : FigureVerdict::Inconsistent,
                  c.Echo(*estimate) + Text(u" lies outside the ") + shown + Text(u" after it") +
                      (dFamily ? Text(u"; the interval may be of another quantity") : Text()));
            return;
        }
    }
    // Proportions of variance and φ have no null value to exclude: their interval is checked
    // for holding its estimate only.
    const bool proportion =
        estimate && (estimate->name == Name::EtaPartial || estimate->name == Name::Eta ||
                     estimate->name == Name::OmegaPartial || estimate->name == Name::RSquared ||
                     estimate->name == Name::SmallRSquared || estimate->name == Name::Phi ||
                     estimate->name == Name::V);
    if (proportion) {
        c.Add(interval, FigureKind::Interval, FigureVerdict::Consistent,
              c.Echo(*estimate) + Text(u" lies inside its ") + shown);
        return;
    }
    if (!estimate && c.r.test != TestKind::T && c.r.test != TestKind::Z && c.r.test != TestKind::R)
        return;
    // Against the p only where that p is the statistic's own two-tailed p: an inconsistent p is
    // flagged already, and a corrected or one-tailed p says nothing of an interval.
    const bool withTails =
        c.r.test == TestKind::T || c.r.test == TestKind::R || c.r.test == TestKind::Z;
    if (c.found.verdict != Verdict::Consistent || (withTails && c.found.tails != 2) ||
        (!c.r.p.present() && c.r.pComparison != PComparison::NotSignificant))
        return;
    const double null = estimate && estimate->name == Name::Ratio ? 1 : 0;
    const Text nullText = null == 1 ? Text(u"1") : Text(u"0");
    const double alpha = 1 - interval.level / 100.0;
    const Text alphaText = c.Number(alpha, alpha < 0.1 ? 2 : 1, false);
    const bool excludes = lower.lo > null || upper.hi < null;
    const bool includes = lower.hi < null && upper.lo > null;
    const std::optional<bool> below = ReportedBelow(c, alpha);
    const Text sign =
        ReplacedAll(ReplacedAll(c.r.pComparisonName, u"<=", u"\u2264"), u">=", u"\u2265");
    const Text reported = c.r.pComparison == PComparison::NotSignificant
                              ? Text(u"ns")
                              : Text(u"p ") + sign + Text(u" ") +
                                    EchoFigure(Mid(c.text, c.r.p.begin, c.r.p.end - c.r.p.begin),
                                               TextNotation(c.decimalComma));
    if (!below || (!excludes && !includes)) {
        c.Add(interval, FigureKind::Interval, FigureVerdict::Unchecked,
              shown + Text(u" and ") + reported +
                  Text(u" lie too near their bounds to tell whether they agree"));
        return;
    }
    if (excludes == *below)
        c.Add(interval, FigureKind::Interval, FigureVerdict::Consistent,
              shown + (excludes ? Text(u" excludes ") : Text(u" includes ")) + nullText +
                  Text(u", as ") + reported + Text(u" says at \u03b1 = ") + alphaText);
    else
        c.Add(interval, FigureKind::Interval, FigureVerdict::Inconsistent,
              shown + (excludes ? Text(u" excludes ") : Text(u" includes ")) + nullText +
                  Text(u", but ") + reported +
                  (excludes ? Text(u" is not below ") : Text(u" is below ")) + alphaText);
}

void CheckRatio(FigureContext &c, const Figure &estimate, const Figure &se)
{
    const TestKind test = c.r.test;
    const bool waldChiSquare = test == TestKind::ChiSquare && c.Df1() == 1;
    if (test != TestKind::T && test != TestKind::Z && !waldChiSquare)
        return;
    Interval statistic = Magnitude(c.Range(c.r.statistic));
    if (waldChiSquare)
        statistic = {std::sqrt(statistic.lo), std::sqrt(statistic.hi)};
    Interval value = c.Range(estimate.value);
    const bool ratio = estimate.name == Name::Ratio;
    if (ratio) {
        if (!(value.lo > 0))
            return;
        value = {std::log(value.lo), std::log(value.hi)};
    }
    const std::optional<Interval> quotient = Ratio(Magnitude(value), c.Range(se.value));
    Figure both = se;
    both.begin = estimate.begin;
    if (!quotient) {
        c.Add(both, FigureKind::BSe, FigureVerdict::Unchecked,
              c.Echo(se) + Text(u" is rounded to 0: the ratio has no value to hold against ") +
                  c.Statistic());
        return;
    }
    const FigureVerdict verdict = Fits(statistic, *quotient);
    const Text what = ratio ? Text(u"ln(OR) / SE = ") : Text(u"b / SE = ");
    c.Add(both, FigureKind::BSe, verdict,
          c.Echo(estimate) + Text(u", ") + c.Echo(se) +
              (verdict == FigureVerdict::Consistent ? Text(u" fit ") : Text(u" do not fit ")) +
              c.Statistic() + Text(u": ") + what + c.Like(*quotient, c.r.statistic));
}

} // namespace engine

#include "anova/anovachecks.h"

#include "common/fieldtext.h"

#include <algorithm>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace {
double BetweenGroups(const QList<double> &means, const QList<double> &sizes)
{
    double total = 0, weighted = 0;
    for (qsizetype i = 0; i < means.size(); ++i) {
        total += sizes[i];
        weighted += sizes[i] * means[i];
    }
    const double grand = weighted / total;
    double sum = 0;
    for (qsizetype i = 0; i < means.size(); ++i)
        sum += sizes[i] * (means[i] - grand) * (means[i] - grand);
    return sum;
}

// Σ n·(distance from c to the mean's interval)²: the least Σ n(M − c)² with every M in its
// interval.
double DistanceToCommon(double c, const QList<Interval> &means, const QList<double> &sizes)
{
    double sum = 0;
    for (qsizetype i = 0; i < means.size(); ++i) {
        const double gap = std::max({means[i].lo - c, c - means[i].hi, 0.0});
        sum += sizes[i] * gap * gap;
    }
    return sum;
}

// Σ n(M − M̄)² is the least of Σ n(M − c)² over all c, so its least value over the box is the
// least over c of DistanceToCommon. That is a convex piecewise quadratic in c that breaks at the
// intervals' ends; between two breaks the same intervals lie above and below c, and the minimum
// there is their size-weighted mean of near ends, kept within the piece. The least of the pieces'
// minima is the exact minimum.
double LeastBetweenGroups(const QList<Interval> &means, const QList<double> &sizes)
{
    QList<double> breaks;
    for (const Interval &mean : means)
        breaks << mean.lo << mean.hi;
    std::sort(breaks.begin(), breaks.end());
    double least = INFINITY;
    for (qsizetype j = 0; j + 1 < breaks.size(); ++j) {
        const double from = breaks[j], to = breaks[j + 1], middle = (from + to) / 2;
        double weight = 0, pull = 0;
        for (qsizetype i = 0; i < means.size(); ++i) {
            const double nearEnd = middle < means[i].lo   ? means[i].lo
                                   : middle > means[i].hi ? means[i].hi
                                                          : NAN;
            if (!std::isnan(nearEnd)) {
                weight += sizes[i];
                pull += sizes[i] * nearEnd;
            }
        }
        const double c = weight > 0 ? std::clamp(pull / weight, from, to) : middle;
        least = std::min(least, DistanceToCommon(c, means, sizes));
    }
    return least;
}

// A convex function over a box is greatest at one of its corners.
double GreatestBetweenGroups(const QList<Interval> &means, const QList<double> &sizes)
{
    double greatest = 0;
    for (unsigned corner = 0; corner < 1u << means.size(); ++corner) {
        QList<double> at;
        for (qsizetype i = 0; i < means.size(); ++i)
            at << (corner >> i & 1 ? means[i].hi : means[i].lo);
        greatest = std::max(greatest, BetweenGroups(at, sizes));
    }
    return greatest;
}

// F from the groups, and its range over the rounding intervals of the means and SDs: the
// numerator depends on the means only, the denominator on the SDs only and grows with each.
std::optional<Finding> FAgainstGroups(const AnovaFields &f)
{
    QList<Interval> means, sds;
    QList<double> meanValues, sizes;
    double within = 0, withinLeast = 0, withinGreatest = 0, total = 0;
    for (const AnovaGroup &group : f.groups) {
        const double n = *TextToNumber(group.sampleSize), sd = *TextToNumber(group.stdDev);
        const Interval sdRange = *Rounded(group.stdDev);
        means << *Rounded(group.mean);
        meanValues << *TextToNumber(group.mean);
        sizes << n;
        total += n;
        within += (n - 1) * sd * sd;
        withinLeast += (n - 1) * std::pow(std::max(sdRange.lo, 0.0), 2);
        withinGreatest += (n - 1) * sdRange.hi * sdRange.hi;
    }
    const double df1 = double(f.groups.size()) - 1, df2 = total - double(f.groups.size());
    if (df2 <= 0 || within <= 0)
        return std::nullopt;
    const double computed = BetweenGroups(meanValues, sizes) / df1 / (within / df2);
    if (!std::isfinite(computed))
        return std::nullopt;
    const Interval range = BetweenGroupsRange(means, sizes);
    if (Overlap(*Rounded(f.fStatistic),
                {range.lo / df1 / (withinGreatest / df2), range.hi / df1 / (withinLeast / df2)}))
        return std::nullopt;
    return Finding{Finding::Warning,
                   u"Check F: the means, SDs and sizes give F = %1, not %2."_s.arg(
                       FormatFixed(computed), TrimSpaces(f.fStatistic)),
                   {},
                   {}};
}

Findings FindingsFor(const AnovaFields &f)
{
    if (f.groups.size() < 2)
        return {{Finding::Warning,
                 u"Check the figures: an ANOVA compares at least two groups."_s,
                 {},
                 {}}};
    const auto groupSize = [](const QString &text) {
        return RangeRule{text,
                         u"Check the figures: n = %1; a group size must be a whole number of at "
                         u"least 1."_s,
                         1,
                         INFINITY,
                         false,
                         true};
    };
    QList<RangeRule> rules = {
        PRule(f.pValue),
        AlphaRule(f.alpha),
        {f.fStatistic, u"Check the figures: F = %1 cannot be negative."_s, 0, INFINITY},
    };
    for (const AnovaGroup &group : f.groups)
        rules << SdRule(group.stdDev);
    for (const AnovaGroup &group : f.groups)
        rules << groupSize(group.sampleSize);
    rules << DfRule(f.dfBetween) << DfRule(f.dfWithin);
    if (const auto wrong = OutOfRange(rules))
        return {*wrong};

    const double F = *TextToNumber(f.fStatistic);
    const double df1 = *TextToNumber(f.dfBetween), df2 = *TextToNumber(f.dfWithin);
    Findings findings{FPFinding(f.dfBetween, f.dfWithin, f.fStatistic, f.pValue, f.alpha)};
    if (const auto mismatch = FAgainstGroups(f))
        findings << *mismatch;
    // η² = F·df1 / (F·df1 + df2); a noncentrality λ stands for F = λ / df1, so λ / (λ + df2).
    std::optional<Interval> ci = NoncentralityLimitsF(F, df1, df2);
    if (ci)
        ci = Interval{ci->lo / (ci->lo + df2), ci->hi / (ci->hi + df2)};
    findings << EffectFinding(u"<i>\u03b7</i><sup>2</sup>"_s, u"\u03b7\u00b2"_s,
                              FormatProportion(F * df1 / (F * df1 + df2)), ci, 90,
                              FormatProportion);
    return findings;
}
} // namespace

Interval BetweenGroupsRange(const QList<Interval> &means, const QList<double> &sizes)
{
    return {LeastBetweenGroups(means, sizes), GreatestBetweenGroups(means, sizes)};
}

Findings CheckAnovaFigures(const AnovaFields &fields)
{
    return Guarded([&] { return FindingsFor(fields); });
}

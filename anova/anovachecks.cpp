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

// The groups' figures as numbers: the means as typed and as the intervals they stand for, the
// SDs as typed and at the ends of their intervals (not below 0), the sizes as typed.
struct GroupFigures {
    QList<double> means, sizes;
    QList<Interval> meanRanges;
    QList<double> sds, leastSds, greatestSds;
    double total = 0;
};

GroupFigures FiguresOf(const QList<AnovaGroup> &groups)
{
    GroupFigures figures;
    for (const AnovaGroup &group : groups) {
        const Interval sd = *Rounded(group.stdDev);
        figures.means << *TextToNumber(group.mean);
        figures.sizes << *TextToNumber(group.sampleSize);
        figures.meanRanges << *Rounded(group.mean);
        figures.sds << *TextToNumber(group.stdDev);
        figures.leastSds << std::max(sd.lo, 0.0);
        figures.greatestSds << sd.hi;
        figures.total += figures.sizes.last();
    }
    return figures;
}

// Σ (n − 1)s².
double WithinGroups(const QList<double> &sds, const QList<double> &sizes)
{
    double sum = 0;
    for (qsizetype i = 0; i < sds.size(); ++i)
        sum += (sizes[i] - 1) * sds[i] * sds[i];
    return sum;
}

// The range of F over the rounding intervals of the means and SDs: its numerator depends on the
// means only, its denominator on the SDs only and grows with each of them.
std::optional<Finding> FAgainstGroups(const AnovaFields &f)
{
    const std::optional<double> computed = FFromGroups(f.groups);
    if (!computed)
        return std::nullopt;
    const GroupFigures g = FiguresOf(f.groups);
    const double df1 = double(g.sizes.size()) - 1, df2 = g.total - double(g.sizes.size());
    const Interval range = {LeastBetweenGroups(g.meanRanges, g.sizes) / df1 /
                                (WithinGroups(g.greatestSds, g.sizes) / df2),
                            GreatestBetweenGroups(g.meanRanges, g.sizes) / df1 /
                                (WithinGroups(g.leastSds, g.sizes) / df2)};
    // Figures near the end of a double's range may leave no range to compare with.
    if (std::isnan(range.lo) || std::isnan(range.hi) || Overlap(*Rounded(f.fStatistic), range))
        return std::nullopt;
    return Finding{Finding::Warning,
                   u"Check F: the means, SDs and sizes give F = %1, not %2."_s.arg(
                       FormatFixed(*computed), TrimSpaces(f.fStatistic)),
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
    Findings findings = FPFinding(f.dfBetween, f.dfWithin, f.fStatistic, f.pValue, f.alpha);
    if (const auto mismatch = FAgainstGroups(f))
        findings << *mismatch;
    findings << EffectFinding(u"<i>\u03b7</i><sup>2</sup>"_s, u"\u03b7\u00b2"_s,
                              FormatProportion(EtaSquared(F, df1, df2)),
                              EtaSquaredLimits(F, df1, df2), 90, FormatProportion);
    return findings;
}
} // namespace

std::optional<double> FFromGroups(const QList<AnovaGroup> &groups)
{
    const GroupFigures g = FiguresOf(groups);
    const double df1 = double(g.sizes.size()) - 1, df2 = g.total - double(g.sizes.size());
    const double within = WithinGroups(g.sds, g.sizes);
    if (df1 <= 0 || df2 <= 0 || within <= 0)
        return std::nullopt;
    const double f = BetweenGroups(g.means, g.sizes) / df1 / (within / df2);
    return std::isfinite(f) ? std::optional(f) : std::nullopt;
}

Findings CheckAnovaFigures(const AnovaFields &fields)
{
    QList<NameField> names = {{u"Name of Factor"_s, fields.factorName},
                              {u"Name for Dependent Variable"_s, fields.depVarName}};
    for (const AnovaGroup &group : fields.groups)
        names << NameField{u"Name of Group %1"_s.arg(group.number), group.name};
    return Guarded([&] { return FindingsFor(fields); }, names);
}

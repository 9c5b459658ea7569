#include "ttestdep/ttestdepchecks.h"

#include "common/fieldtext.h"

#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace {
// The means, N and t fix the SD of the differences, and with the two SDs the correlation
// between the levels: r = (s1² + s2² - s_d²) / (2 s1 s2). It lies below -1 when s1 + s2 < s_d and
// above 1 when |s1 - s2| > s_d, which is checked at the most forgiving ends of the intervals.
std::optional<Finding> ImpossibleFigures(const TTestDepFields &f)
{
    const auto m1 = *Rounded(f.level1Mean), m2 = *Rounded(f.level2Mean);
    const auto s1 = *Rounded(f.level1StdDev), s2 = *Rounded(f.level2StdDev);
    const Interval t = Magnitude(*Rounded(f.tStatistic));
    const double rootN = std::sqrt(*TextToNumber(f.totalSampleSize));
    const Interval diff = Magnitude({m1.lo - m2.hi, m1.hi - m2.lo});
    const Interval sd = {diff.lo * rootN / t.hi, diff.hi * rootN / t.lo};
    const double closest = Magnitude({s1.lo - s2.hi, s1.hi - s2.lo}).lo;
    if (s1.hi + s2.hi >= sd.lo && closest <= sd.hi)
        return std::nullopt;
    const double x = *TextToNumber(f.level1StdDev), y = *TextToNumber(f.level2StdDev);
    const double sdTyped = std::abs(*TextToNumber(f.level1Mean) - *TextToNumber(f.level2Mean)) *
                           rootN / std::abs(*TextToNumber(f.tStatistic));
    const double r = (x * x + y * y - sdTyped * sdTyped) / (2 * x * y);
    if (!std::isfinite(r))
        return std::nullopt;
    return Finding{
        Finding::Warning,
        u"Check the figures: these means, SDs, N and t need a correlation of %1 between "
        u"the levels; a correlation lies between \u22121 and 1."_s.arg(FormatCorrelation(r)),
        {},
        {}};
}

Findings FindingsFor(const TTestDepFields &f)
{
    if (const auto wrong = OutOfRange({
            PRule(f.pValue),
            AlphaRule(f.alpha),
            SdRule(f.level1StdDev),
            SdRule(f.level2StdDev),
            SampleSizeRule(f.totalSampleSize),
            DfRule(f.degreesOfFreedom),
        }))
        return {*wrong};

    const double t = *TextToNumber(f.tStatistic), df = *TextToNumber(f.degreesOfFreedom);
    Findings findings = TPFinding(f.degreesOfFreedom, f.tStatistic, f.tails, f.pValue, f.alpha);
    if (const auto impossible = ImpossibleFigures(f))
        findings << *impossible;
    const double rootN = std::sqrt(*TextToNumber(f.totalSampleSize));
    const auto limits = NoncentralityLimits(t, df);
    findings << EffectFinding(u"<i>d<sub>z</sub></i>"_s, u"d_z"_s, FormatFixed(t / rootN),
                              Scaled(limits, 1 / rootN));
    return findings;
}
} // namespace

Findings CheckTTestDepFigures(const TTestDepFields &fields)
{
    return Guarded([&] { return FindingsFor(fields); },
                   {
                       {u"Name of Level 1"_s, fields.level1Name},
                       {u"Name of Level 2"_s, fields.level2Name},
                       {u"Name for Dependent Variable"_s, fields.depVarName},
                   });
}

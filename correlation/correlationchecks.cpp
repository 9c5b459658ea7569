#include "correlation/correlationchecks.h"

#include "common/fieldtext.h"

using namespace Qt::Literals::StringLiterals;

namespace {
Findings FindingsFor(const CorrelationFields &f)
{
    if (const auto wrong = OutOfRange({
            PRule(f.pValue),
            AlphaRule(f.alpha),
            SampleSizeRule(f.totalSampleSize),
            DfRule(f.degreesOfFreedom),
            {f.rCoefficient, u"Check the figures: r = %1 lies outside \u22121 to 1."_s, -1, 1},
        }))
        return {*wrong};

    const double r = *TextToNumber(f.rCoefficient), n = *TextToNumber(f.totalSampleSize);
    return RPFinding(f.degreesOfFreedom, f.rCoefficient, f.tails, f.pValue, f.alpha)
           << CorrelationEffectFinding(r, FisherZLimits(r, n));
}
} // namespace

Findings CheckCorrelationFigures(const CorrelationFields &fields)
{
    return Guarded([&] { return FindingsFor(fields); },
                   {
                       {u"Name of Variable 1"_s, fields.variable1Name},
                       {u"Name of Variable 2"_s, fields.variable2Name},
                   });
}

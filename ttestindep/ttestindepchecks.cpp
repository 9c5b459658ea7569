#include "ttestindep/ttestindepchecks.h"

#include "common/fieldtext.h"

#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace {
struct TRange {
    Interval student, welch;
};

double StudentT(double difference, double s1, double s2, double n1, double n2)
{
    const double pooledVariance = ((n1 - 1) * s1 * s1 + (n2 - 1) * s2 * s2) / (n1 + n2 - 2);
    return difference / std::sqrt(pooledVariance * (1 / n1 + 1 / n2));
}

double WelchT(double difference, double s1, double s2, double n1, double n2)
{
    return difference / std::sqrt(s1 * s1 / n1 + s2 * s2 / n2);
}

// Both t over every corner of the means' and SDs' rounding boxes: each is monotone in every one
// of them, so its extremes lie at the corners.
TRange TOverRounding(Interval m1, Interval m2, Interval s1, Interval s2, double n1, double n2)
{
    TRange range{{INFINITY, -INFINITY}, {INFINITY, -INFINITY}};
    const auto widen = [](Interval &range, double t) {
        range = {std::min(range.lo, t), std::max(range.hi, t)};
    };
    for (const double a : {m1.lo, m1.hi})
        for (const double b : {m2.lo, m2.hi})
            for (const double x : {s1.lo, s1.hi})
                for (const double y : {s2.lo, s2.hi}) {
                    widen(range.student, StudentT(a - b, x, y, n1, n2));
                    widen(range.welch, WelchT(a - b, x, y, n1, n2));
                }
    return range;
}

std::optional<Finding> TAgainstSummary(const TTestIndepFields &f)
{
    const auto m1 = Rounded(f.g1Mean), m2 = Rounded(f.g2Mean);
    const auto s1 = Rounded(f.g1StdDev), s2 = Rounded(f.g2StdDev), t = Rounded(f.tStatistic);
    const auto n1 = TextToNumber(f.g1SampleSize), n2 = TextToNumber(f.g2SampleSize);
    const double x = *TextToNumber(f.g1StdDev), y = *TextToNumber(f.g2StdDev);
    const double diff = *TextToNumber(f.g1Mean) - *TextToNumber(f.g2Mean);
    const double student = StudentT(diff, x, y, *n1, *n2);
    const double welch = WelchT(diff, x, y, *n1, *n2);
    if (!std::isfinite(student) || !std::isfinite(welch) || *n1 + *n2 <= 2)
        return std::nullopt;
    const TRange range = TOverRounding(*m1, *m2, *s1, *s2, *n1, *n2);
    const Interval typed = Magnitude(*t);
    if (Overlap(typed, Magnitude(range.student)))
        return std::nullopt;
    if (Overlap(typed, Magnitude(range.welch))) {
        const double v1 = x * x / *n1, v2 = y * y / *n2;
        const double welchDf = (v1 + v2) * (v1 + v2) / (v1 * v1 / (*n1 - 1) + v2 * v2 / (*n2 - 1));
        return Finding{Finding::Warning,
                       u"Check t: %1 is Welch's t (Student's is %2); Welch's test has df = %3, "
                       u"not %4."_s.arg(EchoFigure(f.tStatistic), FormatFixed(student),
                                        FormatFixed(welchDf, 1), EchoFigure(f.degreesOfFreedom)),
                       {},
                       {}};
    }
    return Finding{Finding::Warning,
                   u"Check t: the means, SDs and sizes give t = %1 (Student) or %2 (Welch), not "
                   u"%3."_s.arg(FormatFixed(student), FormatFixed(welch), EchoFigure(f.tStatistic)),
                   {},
                   {}};
}

Findings FindingsFor(const TTestIndepFields &f)
{
    const auto groupSize = [](const QString &text) {
        return RangeRule{text, u"Check the figures: n = %1; a group size must be above 0."_s, 0,
                         INFINITY, true};
    };
    if (const auto wrong = OutOfRange({
            PRule(f.pValue),
            AlphaRule(f.alpha),
            SdRule(f.g1StdDev),
            SdRule(f.g2StdDev),
            groupSize(f.g1SampleSize),
            groupSize(f.g2SampleSize),
            DfRule(f.degreesOfFreedom),
        }))
        return {*wrong};

    const double t = *TextToNumber(f.tStatistic), df = *TextToNumber(f.degreesOfFreedom);
    Findings findings = TPFinding(f.degreesOfFreedom, f.tStatistic, f.tails, f.pValue, f.alpha);
    if (const auto mismatch = TAgainstSummary(f))
        findings << *mismatch;
    const double scale =
        std::sqrt(1 / *TextToNumber(f.g1SampleSize) + 1 / *TextToNumber(f.g2SampleSize));
    const auto limits = NoncentralityLimits(t, df);
    findings << EffectFinding(u"<i>d</i>"_s, u"d"_s, FormatFixed(t * scale), Scaled(limits, scale));
    return findings;
}
} // namespace

Findings CheckTTestIndepFigures(const TTestIndepFields &fields)
{
    return Guarded([&] { return FindingsFor(fields); },
                   {
                       {u"Name of Group 1"_s, fields.g1Name},
                       {u"Name of Group 2"_s, fields.g2Name},
                       {u"Name for Dependent Variable"_s, fields.depVarName},
                   });
}

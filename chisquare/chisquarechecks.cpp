#include "chisquare/chisquarechecks.h"

#include "common/fieldtext.h"

#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace {
std::optional<Finding> CountsAgainstN(const QString &category, const QString &level1,
                                      const QString &level2, double n, const QString &nText)
{
    const double sum = *TextToNumber(level1) + *TextToNumber(level2);
    if (std::abs(sum - n) <= 1e-9 * std::max(1.0, std::abs(n)))
        return std::nullopt;
    return Finding{Finding::Warning,
                   u"Check the counts: the %1 counts add up to %2, not N = %3."_s.arg(
                       TrimSpaces(category), NumberToText(sum), TrimSpaces(nText)),
                   {},
                   {}};
}

Findings FindingsFor(const ChiSquareFields &f)
{
    const auto count = [](const QString &text) {
        return RangeRule{text, u"Check the figures: a count of %1 cannot be negative."_s, 0,
                         INFINITY};
    };
    if (const auto wrong = OutOfRange({
            PRule(f.pValue),
            AlphaRule(f.alpha),
            SampleSizeRule(f.totalSampleSize),
            count(f.c1L1Count),
            count(f.c1L2Count),
            count(f.c2L1Count),
            count(f.c2L2Count),
            {f.chiSquare, u"Check the figures: \u03c7\u00b2 = %1 cannot be negative."_s, 0,
             INFINITY},
        }))
        return {*wrong};

    const double chiSquare = *TextToNumber(f.chiSquare), n = *TextToNumber(f.totalSampleSize);
    const Interval typed = *Rounded(f.chiSquare);
    Findings findings{PFinding(u"\u03c7\u00b2(1) = "_s + TrimSpaces(f.chiSquare),
                               {PFromChiSquare(typed.hi), PFromChiSquare(typed.lo)},
                               PFromChiSquare(chiSquare), false, false, f.pValue, f.alpha)};
    const bool aboveN = typed.lo > n;
    if (aboveN)
        findings << Finding{Finding::Warning,
                            u"Check the figures: \u03c7\u00b2 = %1 is above N = %2, which no 2 x 2 "
                            u"table can give (\u03c6 \u2264 1)."_s.arg(
                                TrimSpaces(f.chiSquare), TrimSpaces(f.totalSampleSize)),
                            {},
                            {}};
    for (const auto &wrongCounts :
         {CountsAgainstN(f.c1Name, f.c1L1Count, f.c1L2Count, n, f.totalSampleSize),
          CountsAgainstN(f.c2Name, f.c2L1Count, f.c2L2Count, n, f.totalSampleSize)})
        if (wrongCounts)
            findings << *wrongCounts;
    if (!aboveN)
        findings << EffectFinding(u"<i>\u03c6</i>"_s, u"\u03c6"_s,
                                  FormatCorrelation(std::sqrt(std::min(chiSquare / n, 1.0))),
                                  std::nullopt);
    return findings;
}
} // namespace

Findings CheckChiSquareFigures(const ChiSquareFields &fields)
{
    return Guarded([&] { return FindingsFor(fields); });
}

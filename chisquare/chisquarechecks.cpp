#include "chisquare/chisquarechecks.h"

#include "checks/checknames.h"
#include "common/fieldtext.h"

#include <cmath>
#include <tuple>

using namespace Qt::Literals::StringLiterals;

namespace {
// One line for both categories, so that the strip keeps to five lines.
std::optional<Finding> CountsAgainstN(const ChiSquareFields &f, double n)
{
    QStringList sums;
    for (const auto &[category, level1, level2] :
         {std::tuple{f.c1Name, f.c1L1Count, f.c1L2Count},
          std::tuple{f.c2Name, f.c2L1Count, f.c2L2Count}}) {
        const double sum = *TextToNumber(level1) + *TextToNumber(level2);
        if (std::abs(sum - n) > 1e-9 * std::max(1.0, std::abs(n)))
            sums << (sums.isEmpty() ? u"the %1 counts add up to %2"_s
                                    : u" and the %1 counts to %2"_s)
                        .arg(Abridged(TrimSpaces(category)), NumberToText(sum));
    }
    if (sums.isEmpty())
        return std::nullopt;
    return Finding{Finding::Warning,
                   u"Check the counts: %1, not N = %2."_s.arg(sums.join(QString()),
                                                              EchoFigure(f.totalSampleSize)),
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
    Findings findings = PFinding(u"\u03c7\u00b2(1) = "_s + EchoFigure(f.chiSquare),
                                 {PFromChiSquare(typed.hi), PFromChiSquare(typed.lo)},
                                 PFromChiSquare(chiSquare), false, false, f.pValue, f.alpha);
    const bool aboveN = typed.lo > n;
    if (aboveN)
        findings << Finding{Finding::Warning,
                            u"Check the figures: \u03c7\u00b2 = %1 is above N = %2, which no 2 x 2 "
                            u"table can give (\u03c6 \u2264 1)."_s.arg(
                                EchoFigure(f.chiSquare), EchoFigure(f.totalSampleSize)),
                            {},
                            {}};
    if (const auto wrongCounts = CountsAgainstN(f, n))
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
    return Guarded([&] { return FindingsFor(fields); },
                   {
                       {u"Name of Category 1"_s, fields.c1Name},
                       {u"Name of Category 2"_s, fields.c2Name},
                       {u"Name for Category 1 / Level 1"_s, fields.c1L1},
                       {u"Name for Category 1 / Level 2"_s, fields.c1L2},
                       {u"Name for Category 2 / Level 1"_s, fields.c2L1},
                       {u"Name for Category 2 / Level 2"_s, fields.c2L2},
                   });
}

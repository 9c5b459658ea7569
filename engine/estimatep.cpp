#include "engine/estimatep.h"

#include "engine/figurereader.h"

#include <cmath>

namespace engine {

using namespace textreading;

namespace {
// The rounding interval of a figure in the scanner's plain notation.
Interval Range(const ScannedFigure &figure)
{
    return *Rounded(figure.plain, PointNotation());
}

} // namespace

std::optional<EstimateInterval> PFitsEstimateBefore(TextView text, Index from, Index to,
                                                    Interval reportedP, bool decimalComma)
{
    const Reader reader(text, decimalComma);
    // The last "CI" before the statistic, its level before it and its limits after it.
    Index ci = -1;
    // The last "CI" that starts before `to`.
    const auto lastCi = [&](Index before) -> Index {
        if (before < 0)
            return -1;
        const size_t at = text.rfind(u"CI", size_t(before));
        return at == TextView::npos ? -1 : Index(at);
    };
    for (Index at = lastCi(to - 1); at >= from; at = at > 0 ? lastCi(at - 1) : -1) {
        if (reader.WordStart(at) && !IsWordChar(reader.at(at + 2))) {
            ci = at;
            break;
        }
    }
    if (ci < 0)
        return std::nullopt;
    Index j = reader.SkipBlanks(ci + 2);
    if (reader.at(j) == u')') // "95% confidence interval (CI) = [...]"
        j = reader.SkipBlanks(j + 1);
    if (reader.at(j) == u'=' || reader.at(j) == u':')
        j = reader.SkipBlanks(j + 1);
    // Limits in E notation are read too.
    const auto limits = figurereading::ReadLimits(reader, j, {true, true, true, true});
    if (!limits)
        return std::nullopt;
    int level = 95;
    Index k = ci - 1;
    while (k > from && IsBlank(reader.at(k)))
        --k;
    if (reader.at(k) == u'%') {
        for (const int written : {90, 95, 99})
            if (Mid(text, std::max(from, k - 2), 2) == Number(written))
                level = written;
    }
    // The estimate: the last "= figure" before the interval.
    const size_t lastEquals = text.rfind(u'=', size_t(ci));
    const Index equals = lastEquals == TextView::npos ? -1 : Index(lastEquals);
    if (equals < from)
        return std::nullopt;
    const auto estimate = reader.ReadFigure(reader.SkipBlanks(equals + 1), {true, true, true});
    if (!estimate || estimate->end > ci)
        return std::nullopt;
    const Interval value = Range(*estimate), lower = Range(limits->first),
                   upper = Range(limits->second);
    // Only an interval symmetric about its estimate, as a normal approximation gives.
    const double centre = (lower.lo + upper.hi) / 2, width = upper.hi - lower.lo;
    if (!(width > 0) || std::abs(value.lo - centre) > 0.1 * width)
        return std::nullopt;
    const double z = level == 90 ? 1.6449 : level == 99 ? 2.5758 : 1.9600;
    const double seLow = (upper.lo - lower.hi) / (2 * z), seHigh = (upper.hi - lower.lo) / (2 * z);
    if (!(seLow > 0))
        return std::nullopt;
    const Interval magnitude = Magnitude(value);
    const Interval p{PFromZ(magnitude.hi / seLow, false), PFromZ(magnitude.lo / seHigh, false)};
    if (!Overlap(p, reportedP))
        return std::nullopt;
    const auto written = [&](const ScannedFigure &figure) {
        return Text(Mid(text, figure.begin, figure.end - figure.begin));
    };
    return EstimateInterval{written(*estimate), written(limits->first), written(limits->second),
                            level};
}

} // namespace engine

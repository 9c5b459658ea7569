#include "engine/textcheck.h"

#include "engine/designs.h"
#include "engine/figurecheck.h"
#include "engine/pformat.h"
#include "engine/scanner.h"
#include "engine/tails.h"
#include "engine/verdicts.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <functional>
#include <limits>
#include <stdexcept>

namespace engine {

namespace {
// Line starts, for line and column of an offset.
class LineIndex {
public:
    explicit LineIndex(TextView text)
    {
        m_starts.push_back(0);
        // Text from a file has its lines ended by "\n" alone: found by the library's search.
        if (text.find_first_of(u"\r\u2028\u2029") == TextView::npos) {
            for (size_t at = text.find(u'\n'); at != TextView::npos; at = text.find(u'\n', at + 1))
                m_starts.push_back(Index(at) + 1);
            return;
        }
        for (size_t i = 0; i < text.size(); ++i) {
            const char16_t c = text[i];
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                continue;
            if (c == u'\n' || c == u'\r' || c == 0x2028 || c == 0x2029)
                m_starts.push_back(Index(i) + 1);
        }
    }
    TextPlace Place(Index begin, Index end) const
    {
        const auto line = std::upper_bound(m_starts.begin(), m_starts.end(), begin) - 1;
        return {begin, end - begin, int(line - m_starts.begin()) + 1, int(begin - *line) + 1};
    }

private:
    std::vector<Index> m_starts;
};

Text Counted(int count, TextView one, TextView many)
{
    return Number(count) + u" " + Text(count == 1 ? one : many);
}
} // namespace

TextCheck CheckText(TextView text, const CheckSettings &settings)
{
    const Text alpha = IsAlphaLevel(settings.alpha) ? Text(TrimSpaces(settings.alpha)) : u".05";
    const Scan scan = ScanText(text);
    const TailsReading tails(text);
    const LineIndex lines(text);
    // Each result's start and its statistic as written, so that a result restated in a later
    // sentence is known as the same.
    std::vector<std::pair<Index, TextView>> statistics;
    for (const ScannedResult &r : scan.results)
        statistics.push_back({r.begin, Mid(text, r.begin, r.statistic.end - r.begin)});
    std::sort(statistics.begin(), statistics.end(),
              [](const auto &a, const auto &b) { return a.first < b.first; });
    TextCheck check;
    Index previousEnd = 0;
    for (const ScannedResult &r : scan.results) {
        FoundResult found;
        found.place = lines.Place(r.begin, r.end);
        found.quote = Mid(text, r.begin, r.end - r.begin);
        for (char16_t &c : found.quote)
            if (c == u'\n' || c == u'\r' || c == 0x2028 || c == 0x2029)
                c = u' ';
        found.test = r.test;
        const auto written = [&](const ScannedFigure &figure) {
            return figure.present() ? Text(Mid(text, figure.begin, figure.end - figure.begin))
                                    : Text();
        };
        found.df1Text = written(r.df1);
        found.df2Text = written(r.df2);
        found.nText = written(r.n);
        if (r.df1.present())
            found.df1 = ReadPlain(r.df1);
        else if (r.dfFromN)
            found.df1 = ReadPlain(r.n) - 2;
        if (r.df2.present())
            found.df2 = ReadPlain(r.df2);
        if (r.n.present())
            found.n = ReadPlain(r.n);
        found.statisticComparison = r.statisticComparison;
        found.statistic = written(r.statistic);
        found.pComparison = r.pComparisonName;
        if (r.pComparison != PComparison::NotSignificant)
            found.p = written(r.p);
        Judged judged;
        // A distribution that cannot be evaluated for such figures leaves the result unchecked,
        // never the whole text.
        try {
            const TextView own = Mid(text, r.begin, r.statistic.end - r.begin);
            const auto reportsOther = [&](Index from, Index to) {
                auto it = std::lower_bound(statistics.begin(), statistics.end(), from,
                                           [](const auto &s, Index at) { return s.first < at; });
                for (; it != statistics.end() && it->first < to; ++it)
                    if (it->second != own)
                        return true;
                return false;
            };
            const ResultContext context{tails.TailsOf(r.begin, r.end, reportsOther),
                                        tails.SaysOneTailed(), tails.NamesCorrection(r.begin),
                                        std::max(tails.SentenceStart(r.begin), previousEnd)};
            judged = JudgeResult(text, r, context, alpha, scan.decimalComma);
        } catch (const std::exception &) {
            judged = {
                Verdict::Unchecked, u"p cannot be computed for these figures", std::nan(""), {}, 2};
        }
        found.verdict = judged.verdict;
        found.message = judged.message;
        found.tails = judged.tails;
        if (judged.verdict != Verdict::Unchecked && std::isfinite(judged.computedP)) {
            found.computedP = judged.computedP;
            found.computedPLow = judged.range.lo;
            found.computedPHigh = judged.range.hi;
        }
        // The result's own stretch of text, for its other figures: from the end of the result
        // before it (or its sentence's start) to the start of the next (or its sentence's end).
        const Index index = Index(check.results.size());
        const Index next = size_t(index) + 1 < scan.results.size()
                               ? scan.results[size_t(index) + 1].begin
                               : Index(text.size());
        // A p with no statistic that can be read stands for another result: it bounds the
        // stretch too.
        const auto lone = std::lower_bound(
            scan.loneP.begin(), scan.loneP.end(), r.begin,
            [](const std::pair<Index, Index> &p, Index at) { return p.first < at; });
        const Index loneAfter = lone != scan.loneP.end() ? lone->first : Index(text.size());
        const Index loneBefore = lone != scan.loneP.begin() ? (lone - 1)->second : 0;
        const Stretch stretch{
            std::max({tails.SentenceStart(r.begin), previousEnd, loneBefore}),
            std::max(r.end, std::min({tails.SentenceEnd(r.end), next, loneAfter})),
            tails.SentenceStart(r.begin), tails.SentenceEnd(r.end)};
        found.findings =
            CheckFigures(text, r, found, stretch, settings, scan.decimalComma,
                         [&](Index begin, Index end) { return lines.Place(begin, end); });
        check.results.push_back(found);
        previousEnd = std::max(previousEnd, r.end);
    }
    for (const auto &[begin, end] : scan.loneP)
        check.pValuesWithoutStatistic.push_back(lines.Place(begin, end));
    return check;
}

bool IsAlphaLevel(TextView alphaText)
{
    const std::optional<double> alpha = PointNotation().Read(alphaText);
    return alpha && *alpha > 0 && *alpha < 1;
}

bool IsInconsistent(Verdict verdict)
{
    return verdict == Verdict::Inconsistent || verdict == Verdict::Decision;
}

namespace words {

Text TotalsLine(const VerdictTotals &totals)
{
    Text line = Counted(totals.results, u"result", u"results") + u": " + Number(totals.consistent) +
                u" consistent, " + Number(totals.inconsistent) + u" inconsistent, " +
                Counted(totals.decision, u"decision error", u"decision errors");
    if (totals.unchecked)
        line += u", " + Number(totals.unchecked) + u" unchecked";
    line += u"; " + Counted(totals.pValuesWithoutStatistic, u"p value without a statistic",
                            u"p values without a statistic");
    if (totals.figures)
        line += u"; " + Counted(totals.figures, u"figure checked", u"figures checked") + u", " +
                Number(totals.figuresInconsistent) + u" inconsistent";
    return line;
}

Text VerdictName(Verdict verdict)
{
    static const char16_t *const names[] = {u"consistent", u"inconsistent", u"decision",
                                            u"consistent-one-tailed", u"unchecked"};
    return names[int(verdict)];
}

Text TestName(TestKind test)
{
    static const char16_t *const names[] = {u"t", u"F", u"r", u"chi2", u"z", u"Q"};
    return names[int(test)];
}

Text FigureKindName(FigureKind kind)
{
    static const char16_t *const names[] = {u"effect-size", u"interval", u"b-se",
                                            u"df-n",        u"grim",     u"grimmer"};
    return names[int(kind)];
}

Text FigureVerdictName(FigureVerdict verdict)
{
    static const char16_t *const names[] = {u"consistent", u"inconsistent", u"unchecked"};
    return names[int(verdict)];
}

} // namespace words
} // namespace engine

#include "textcheck/textcheck.h"

#include "checks/checkfigures.h"
#include "common/fieldtext.h"
#include "textcheck/figurecheck.h"
#include "textcheck/scanner.h"
#include "textcheck/tails.h"
#include "textcheck/verdicts.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <functional>
#include <limits>
#include <stdexcept>

using namespace Qt::Literals::StringLiterals;

namespace {
// The manuscripts' notation, for an alpha level.
const QLocale &Notation()
{
    static const QLocale c = QLocale::c();
    return c;
}

// Line starts, for line and column of an offset.
class LineIndex {
public:
    explicit LineIndex(QStringView text)
    {
        m_starts.append(0);
        // Text from a file has its lines ended by "\n" alone: found by Qt's fast search.
        if (!text.contains(u'\r') && !text.contains(QChar(0x2028)) &&
            !text.contains(QChar(0x2029))) {
            for (qsizetype at = text.indexOf(u'\n'); at >= 0; at = text.indexOf(u'\n', at + 1))
                m_starts.append(at + 1);
            return;
        }
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char16_t c = text[i].unicode();
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                continue;
            if (c == u'\n' || c == u'\r' || c == 0x2028 || c == 0x2029)
                m_starts.append(i + 1);
        }
    }
    TextPlace Place(qsizetype begin, qsizetype end) const
    {
        const auto line = std::upper_bound(m_starts.begin(), m_starts.end(), begin) - 1;
        return {begin, end - begin, int(line - m_starts.begin()) + 1, int(begin - *line) + 1};
    }

private:
    QList<qsizetype> m_starts;
};

QString Counted(int count, const QString &one, const QString &many)
{
    return QString::number(count) + u" "_s + (count == 1 ? one : many);
}
} // namespace

TextCheck CheckText(const QString &text, const QString &alphaText)
{
    return CheckText(text, CheckSettings{alphaText});
}

TextCheck CheckText(const QString &text, const CheckSettings &settings)
{
    const QString alphaText = settings.alpha;
    const QString alpha = IsAlphaLevel(alphaText) ? TrimSpaces(alphaText) : u".05"_s;
    const Scan scan = ScanText(text);
    const TailsReading tails(text);
    const LineIndex lines(text);
    // Each result's start and its statistic as written, so that a result restated in a later
    // sentence is known as the same.
    QList<std::pair<qsizetype, QStringView>> statistics;
    for (const ScannedResult &r : scan.results)
        statistics.append({r.begin, QStringView(text).mid(r.begin, r.statistic.end - r.begin)});
    std::sort(statistics.begin(), statistics.end(),
              [](const auto &a, const auto &b) { return a.first < b.first; });
    TextCheck check;
    qsizetype previousEnd = 0;
    for (const ScannedResult &r : scan.results) {
        FoundResult found;
        found.place = lines.Place(r.begin, r.end);
        found.quote = text.mid(r.begin, r.end - r.begin);
        for (QChar &c : found.quote)
            if (c == u'\n' || c == u'\r' || c == QChar(0x2028) || c == QChar(0x2029))
                c = u' ';
        found.test = r.test;
        found.df1Text =
            r.df1.present() ? text.mid(r.df1.begin, r.df1.end - r.df1.begin) : QString();
        found.df2Text =
            r.df2.present() ? text.mid(r.df2.begin, r.df2.end - r.df2.begin) : QString();
        found.nText = r.n.present() ? text.mid(r.n.begin, r.n.end - r.n.begin) : QString();
        if (r.df1.present())
            found.df1 = ReadPlain(r.df1);
        else if (r.dfFromN)
            found.df1 = ReadPlain(r.n) - 2;
        if (r.df2.present())
            found.df2 = ReadPlain(r.df2);
        if (r.n.present())
            found.n = ReadPlain(r.n);
        found.statisticComparison = r.statisticComparison;
        found.statistic = text.mid(r.statistic.begin, r.statistic.end - r.statistic.begin);
        found.pComparison = r.pComparisonName;
        if (r.pComparison != PComparison::NotSignificant)
            found.p = text.mid(r.p.begin, r.p.end - r.p.begin);
        Judged judged;
        // A distribution that cannot be evaluated for such figures leaves the result unchecked,
        // never the whole text.
        try {
            const QStringView own = QStringView(text).mid(r.begin, r.statistic.end - r.begin);
            const auto reportsOther = [&](qsizetype from, qsizetype to) {
                auto it =
                    std::lower_bound(statistics.begin(), statistics.end(), from,
                                     [](const auto &s, qsizetype at) { return s.first < at; });
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
            judged = {Verdict::Unchecked,
                      u"p cannot be computed for these figures"_s,
                      std::nan(""),
                      {},
                      2};
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
        const qsizetype index = check.results.size();
        const qsizetype next =
            index + 1 < scan.results.size() ? scan.results.at(index + 1).begin : text.size();
        // A p with no statistic that can be read stands for another result: it bounds the
        // stretch too.
        const auto lone = std::lower_bound(
            scan.loneP.begin(), scan.loneP.end(), r.begin,
            [](const std::pair<qsizetype, qsizetype> &p, qsizetype at) { return p.first < at; });
        const qsizetype loneAfter = lone != scan.loneP.end() ? lone->first : text.size();
        const qsizetype loneBefore = lone != scan.loneP.begin() ? (lone - 1)->second : 0;
        const Stretch stretch{
            std::max({tails.SentenceStart(r.begin), previousEnd, loneBefore}),
            std::max(r.end, std::min({tails.SentenceEnd(r.end), next, loneAfter})),
            tails.SentenceStart(r.begin), tails.SentenceEnd(r.end)};
        found.findings =
            CheckFigures(text, r, found, stretch, settings, scan.decimalComma,
                         [&](qsizetype begin, qsizetype end) { return lines.Place(begin, end); });
        check.results.append(found);
        previousEnd = std::max(previousEnd, r.end);
    }
    for (const auto &[begin, end] : scan.loneP)
        check.pValuesWithoutStatistic.append(lines.Place(begin, end));
    return check;
}

bool IsAlphaLevel(const QString &alphaText)
{
    const std::optional<double> alpha = TextToNumber(alphaText, Notation());
    return alpha && *alpha > 0 && *alpha < 1;
}

VerdictTotals CountVerdicts(const TextCheck &check)
{
    VerdictTotals totals;
    totals.results = int(check.results.size());
    totals.pValuesWithoutStatistic = int(check.pValuesWithoutStatistic.size());
    for (const FoundResult &result : check.results) {
        for (const FigureFinding &finding : result.findings) {
            if (finding.verdict != FigureVerdict::Unchecked)
                ++totals.figures;
            if (finding.verdict == FigureVerdict::Inconsistent)
                ++totals.figuresInconsistent;
        }
        switch (result.verdict) {
        case Verdict::ConsistentOneTailed:
            ++totals.consistentOneTailed;
            [[fallthrough]];
        case Verdict::Consistent:
            ++totals.consistent;
            break;
        case Verdict::Inconsistent:
            ++totals.inconsistent;
            break;
        case Verdict::Decision:
            ++totals.decision;
            break;
        case Verdict::Unchecked:
            ++totals.unchecked;
            break;
        }
    }
    return totals;
}

QString TotalsLine(const VerdictTotals &totals)
{
    QString line = Counted(totals.results, u"result"_s, u"results"_s) + u": "_s +
                   QString::number(totals.consistent) + u" consistent, "_s +
                   QString::number(totals.inconsistent) + u" inconsistent, "_s +
                   Counted(totals.decision, u"decision error"_s, u"decision errors"_s);
    if (totals.unchecked)
        line += u", "_s + QString::number(totals.unchecked) + u" unchecked"_s;
    line += u"; "_s + Counted(totals.pValuesWithoutStatistic, u"p value without a statistic"_s,
                              u"p values without a statistic"_s);
    if (totals.figures)
        line += u"; "_s + Counted(totals.figures, u"figure checked"_s, u"figures checked"_s) +
                u", "_s + QString::number(totals.figuresInconsistent) + u" inconsistent"_s;
    return line;
}

QString VerdictName(Verdict verdict)
{
    static const QString names[] = {u"consistent"_s, u"inconsistent"_s, u"decision"_s,
                                    u"consistent-one-tailed"_s, u"unchecked"_s};
    return names[int(verdict)];
}

QString TestName(TestKind test)
{
    static const QString names[] = {u"t"_s, u"F"_s, u"r"_s, u"chi2"_s, u"z"_s, u"Q"_s};
    return names[int(test)];
}

bool IsInconsistent(Verdict verdict)
{
    return verdict == Verdict::Inconsistent || verdict == Verdict::Decision;
}

QString FigureKindName(FigureKind kind)
{
    static const QString names[] = {u"effect-size"_s, u"interval"_s, u"b-se"_s,
                                    u"df-n"_s,        u"grim"_s,     u"grimmer"_s};
    return names[int(kind)];
}

QString FigureVerdictName(FigureVerdict verdict)
{
    static const QString names[] = {u"consistent"_s, u"inconsistent"_s, u"unchecked"_s};
    return names[int(verdict)];
}

bool NeedsMending(const FoundResult &result)
{
    return IsInconsistent(result.verdict) ||
           std::any_of(result.findings.begin(), result.findings.end(), [](const FigureFinding &f) {
               return f.verdict == FigureVerdict::Inconsistent;
           });
}

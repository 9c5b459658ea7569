#include "textcheck/textcheck.h"

#include "checks/checkfigures.h"
#include "common/fieldtext.h"
#include "textcheck/scanner.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <functional>
#include <limits>
#include <stdexcept>

using namespace Qt::Literals::StringLiterals;

namespace {
// Manuscripts are read, and their figures echoed, in English notation whatever the user's.
const QLocale &Notation()
{
    static const QLocale c = QLocale::c();
    return c;
}

// The scanner's plain notation is ASCII that the standard library reads as it stands, many
// times faster than a locale would.
double Read(const ScannedFigure &figure)
{
    const QByteArray ascii = figure.plain.toLatin1();
    double value = std::nan("");
    const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    return error == std::errc() && end == ascii.data() + ascii.size() && std::isfinite(value)
               ? value
               : std::nan("");
}

// Line starts, for line and column of an offset.
class LineIndex {
public:
    explicit LineIndex(QStringView text)
    {
        m_starts.append(0);
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

// How many tails the text gives a result: the mention nearest to it in its own sentence, else
// the last one before it in its paragraph (a report names its test's tails in its first
// sentence); 0 when its paragraph says nothing.
int TailsAround(const TextStructure &text, qsizetype begin, qsizetype end)
{
    const auto before = [](const QList<qsizetype> &ends, qsizetype at) -> qsizetype {
        const auto it = std::lower_bound(ends.begin(), ends.end(), at);
        return it == ends.begin() ? 0 : *(it - 1) + 1;
    };
    const auto after = [](const QList<qsizetype> &ends, qsizetype at) -> qsizetype {
        const auto it = std::lower_bound(ends.begin(), ends.end(), at);
        return it == ends.end() ? std::numeric_limits<qsizetype>::max() : *it;
    };
    const qsizetype paragraph = before(text.paragraphEnds, begin);
    const qsizetype sentence = std::max(paragraph, before(text.sentenceEnds, begin));
    const qsizetype sentenceEnd =
        std::min(after(text.paragraphEnds, end), after(text.sentenceEnds, end));
    int inSentence = 0, beforeSentence = 0;
    qsizetype nearest = std::numeric_limits<qsizetype>::max();
    auto mention = std::lower_bound(text.tailsMentions.begin(), text.tailsMentions.end(), paragraph,
                                    [](const TailsMention &m, qsizetype at) { return m.at < at; });
    for (; mention != text.tailsMentions.end() && mention->at < sentenceEnd; ++mention) {
        if (mention->at < sentence) {
            beforeSentence = mention->tails;
            continue;
        }
        const qsizetype gap = mention->at < begin ? begin - mention->at : mention->at - end;
        if (gap < nearest) {
            nearest = gap;
            inSentence = mention->tails;
        }
    }
    return inSentence ? inSentence : beforeSentence;
}

struct Judged {
    Verdict verdict;
    QString message;
    double computedP;
    Interval range;
    int tails;
};

QString Symbol(TestKind test)
{
    static const QString symbols[] = {u"t"_s, u"F"_s, u"r"_s, u"\u03c7\u00b2"_s, u"z"_s, u"Q"_s};
    return symbols[int(test)];
}

// A figure as written, its minus a plain one for the echo to turn into its own sign.
QString Written(QStringView text, const ScannedFigure &figure)
{
    QString written = text.mid(figure.begin, figure.end - figure.begin).toString();
    for (QChar &c : written)
        if (c == QChar(0x2212) || c == QChar(0x2013) || c == QChar(0x2012))
            c = u'-';
    return written;
}

// "t(38) = 2.10", "F(2, 57) = 3.76", "χ²(1, N = 1,024) = 4.32", "z = 1.96": the figures as
// written, the rest in one form.
QString StatisticText(QStringView text, const ScannedResult &r)
{
    QStringList degrees;
    for (const ScannedFigure *figure : {&r.df1, &r.df2})
        if (figure->present())
            degrees << Written(text, *figure);
    if (r.n.present())
        degrees << u"N = "_s + Written(text, r.n);
    const QString bracket = degrees.isEmpty() ? QString() : u"("_s + degrees.join(u", ") + u")"_s;
    const QString symbol = r.test == TestKind::Q
                               ? text.mid(r.begin, r.symbolEnd - r.begin).toString()
                               : Symbol(r.test);
    return symbol + bracket + u" "_s + r.statisticComparison + u" "_s + Written(text, r.statistic);
}

std::optional<QString> Unchecked(const ScannedResult &r)
{
    const double p = Read(r.p), statistic = Read(r.statistic);
    if (r.pComparison != PComparison::NotSignificant && !(p >= 0 && p <= 1))
        return u"p = %1 lies outside 0 to 1"_s.arg(EchoFigure(r.p.plain, Notation()));
    for (const ScannedFigure *df : {&r.df1, &r.df2})
        if (df->present() && !(Read(*df) > 0))
            return u"df = %1: the degrees of freedom must be above 0"_s.arg(df->plain);
    if (r.n.present() && !(Read(r.n) > 0))
        return u"N = %1: a sample size must be above 0"_s.arg(r.n.plain);
    if (!std::isfinite(statistic))
        return u"%1 = %2 cannot be read as a number"_s.arg(Symbol(r.test), r.statistic.plain);
    if (r.test == TestKind::R && std::abs(statistic) > 1)
        return u"r = %1 lies outside \u22121 to 1"_s.arg(EchoFigure(r.statistic.plain, Notation()));
    if ((r.test == TestKind::F || r.test == TestKind::ChiSquare || r.test == TestKind::Q) &&
        statistic < 0)
        return u"%1 = %2 cannot be negative"_s.arg(Symbol(r.test),
                                                   EchoFigure(r.statistic.plain, Notation()));
    return std::nullopt;
}

// The p the statistic gives at a value, for one or two tails.
std::function<double(double)> PAt(const ScannedResult &r, bool oneTailed)
{
    const double df1 = Read(r.df1), df2 = Read(r.df2);
    switch (r.test) {
    case TestKind::T:
        return [=](double x) { return PFromT(std::abs(x), df1, oneTailed); };
    case TestKind::R:
        return [=](double x) { return PFromR(std::min(std::abs(x), 1.0), df1, oneTailed); };
    case TestKind::Z:
        return [=](double x) { return PFromZ(std::abs(x), oneTailed); };
    case TestKind::F:
        return [=](double x) { return PFromF(x, df1, df2); };
    case TestKind::ChiSquare:
    case TestKind::Q:
        return [=](double x) { return PFromChiSquare(x, df1); };
    }
    return {};
}

struct POfStatistic {
    Interval range;
    double atValue;
    QString relation;
};

// Over the statistic's rounding interval; a statistic given as a bound leaves p open on one side.
POfStatistic PRange(const ScannedResult &r, bool oneTailed)
{
    const auto pAt = PAt(r, oneTailed);
    const bool symmetric = r.test == TestKind::T || r.test == TestKind::R || r.test == TestKind::Z;
    Interval value = *Rounded(r.statistic.plain, Notation());
    if (symmetric)
        value = Magnitude(value);
    else
        value.lo = std::max(0.0, value.lo);
    const double atValue = pAt(Read(r.statistic));
    if (r.statisticComparison == u"<"_s)
        return {{pAt(value.hi), 1}, atValue, u">"_s};
    if (r.statisticComparison == u">"_s)
        return {{0, pAt(value.lo)}, atValue, u"<"_s};
    return {{pAt(value.hi), pAt(value.lo)}, atValue, u"="_s};
}

PJudgement JudgeAt(QStringView text, const ScannedResult &r, const POfStatistic &p, bool oneTailed,
                   bool withTails, const QString &alpha)
{
    return JudgeP(StatisticText(text, r), p.range, p.atValue, oneTailed, withTails, r.pComparison,
                  r.p.plain, alpha, Notation(), p.relation);
}

Judged Judge(QStringView text, const ScannedResult &r, int tailsSaid, bool oneTailedElsewhere,
             const QString &alpha)
{
    const bool withTails = r.test == TestKind::T || r.test == TestKind::R || r.test == TestKind::Z;
    if (const std::optional<QString> why = Unchecked(r))
        return {Verdict::Unchecked,
                *why,
                std::nan(""),
                {std::nan(""), std::nan("")},
                withTails ? (tailsSaid == 1 ? 1 : 2) : 1};
    const bool oneTailed = withTails && tailsSaid == 1;
    const POfStatistic p = PRange(r, oneTailed);
    const PJudgement judgement = JudgeAt(text, r, p, oneTailed, withTails, alpha);
    const int tails = withTails && !oneTailed ? 2 : 1;
    if (judgement.agree)
        return {Verdict::Consistent,
                judgement.gives + (judgement.style ? u". "_s + judgement.style->text : QString()),
                p.atValue, p.range, tails};
    const QString message = judgement.gives + judgement.against + judgement.decisionNote;
    // Said one-tailed only elsewhere in the text: a result that holds one-tailed is told apart.
    if (withTails && tailsSaid == 0 && oneTailedElsewhere) {
        const POfStatistic one = PRange(r, true);
        if (JudgeAt(text, r, one, true, true, alpha).agree)
            return {Verdict::ConsistentOneTailed,
                    judgement.gives + judgement.against +
                        u"; consistent one-tailed, as the text says elsewhere"_s,
                    one.atValue, one.range, 1};
    }
    return {judgement.decisionFlips ? Verdict::Decision : Verdict::Inconsistent, message, p.atValue,
            p.range, tails};
}

QString Counted(int count, const QString &one, const QString &many)
{
    return QString::number(count) + u" "_s + (count == 1 ? one : many);
}
} // namespace

TextCheck CheckText(const QString &text, const QString &alphaText)
{
    const QString alpha = IsAlphaLevel(alphaText) ? TrimSpaces(alphaText) : u".05"_s;
    const Scan scan = ScanText(text);
    const TextStructure structure = ReadStructure(text);
    const LineIndex lines(text);
    const bool oneTailedElsewhere =
        std::any_of(structure.tailsMentions.begin(), structure.tailsMentions.end(),
                    [](const TailsMention &m) { return m.tails == 1; });
    TextCheck check;
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
            found.df1 = Read(r.df1);
        if (r.df2.present())
            found.df2 = Read(r.df2);
        if (r.n.present())
            found.n = Read(r.n);
        found.statisticComparison = r.statisticComparison;
        found.statistic = text.mid(r.statistic.begin, r.statistic.end - r.statistic.begin);
        found.pComparison = r.pComparisonName;
        if (r.pComparison != PComparison::NotSignificant)
            found.p = text.mid(r.p.begin, r.p.end - r.p.begin);
        Judged judged;
        // A distribution that cannot be evaluated for such figures leaves the result unchecked,
        // never the whole text.
        try {
            judged =
                Judge(text, r, TailsAround(structure, r.begin, r.end), oneTailedElsewhere, alpha);
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
        check.results.append(found);
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
    return line + u"; "_s +
           Counted(totals.pValuesWithoutStatistic, u"p value without a statistic"_s,
                   u"p values without a statistic"_s);
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

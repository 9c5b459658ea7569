#include "textcheck/tails.h"

#include "textcheck/fastscan.h"
#include "textcheck/textreader.h"

#include <algorithm>
#include <limits>

using namespace textreading;
using namespace std::string_view_literals;

namespace {
// "one-tailed", "one sided", "1-tailed", "twotailed" as a converter joins it: the word that ends in
// "tailed" or "sided" and what stands before it. A "directional" hypothesis names no test.
int TailsOfWord(const Reader &reader, qsizetype begin, qsizetype end)
{
    qsizetype at = -1;
    if (end - begin >= 6 && reader.Matches(end - 6, u"tailed"))
        at = end - 6;
    else if (end - begin >= 5 && reader.Matches(end - 5, u"sided"))
        at = end - 5;
    if (at < 0)
        return 0;
    qsizetype before = at;
    const char16_t joint = reader.at(before - 1);
    if (before > 0 && (IsMinus(joint) || joint == 0x2010 || joint == 0x2011 || joint == u' '))
        --before;
    const QStringView lead =
        reader.text().mid(std::max<qsizetype>(0, before - 3), std::min<qsizetype>(3, before));
    if (lead.endsWith(u"one", Qt::CaseInsensitive) || lead.endsWith(u"1"))
        return 1;
    if (lead.endsWith(u"two", Qt::CaseInsensitive) || lead.endsWith(u"2"))
        return 2;
    return 0;
}

// Whether "without", "no" or "not" stands shortly before, in the same sentence.
bool Negated(const Reader &reader, qsizetype at)
{
    for (qsizetype i = at - 1; i >= 0 && i > at - 60; --i) {
        const char16_t c = reader.at(i);
        if (c == u'.' || c == u';' || IsLineEnd(c))
            return false;
        if (!reader.WordStart(i))
            continue;
        for (const std::u16string_view word : {u"without", u"no", u"not"})
            if (reader.MatchesWord(i, word))
                return true;
    }
    return false;
}

// Whether the word from begin to end names a correction for multiple comparisons: 1 for a
// method's name, 2 for "corrected" or "adjusted" (which count only in the result's own
// paragraph), 0 for neither.
int CorrectionWord(const Reader &reader, qsizetype begin, qsizetype end)
{
    const qsizetype length = end - begin;
    const auto is = [&](std::u16string_view word) {
        return length == qsizetype(word.size()) && reader.Matches(begin, word);
    };
    int kind = 0;
    switch (reader.at(begin) | 0x20) {
    case u'b':
        kind = is(u"bonferroni"sv) || is(u"benjamini"sv) ? 1 : 0;
        break;
    case u'h':
        kind = is(u"holm"sv) || is(u"hochberg"sv) ? 1 : 0;
        break;
    case u's':
        kind = is(u"sidak"sv) || (length >= 6 && reader.Matches(begin, u"scheff"sv)) ? 1 : 0;
        break;
    case u't':
        kind = is(u"tukey"sv) ? 1 : 0;
        break;
    case u'f':
        kind = is(u"fdr"sv) || (is(u"false"sv) && reader.Matches(end, u" discovery")) ||
                       (is(u"family"sv) &&
                        (reader.Matches(end, u"-wise") || reader.Matches(end, u"wise"))) ||
                       is(u"familywise"sv)
                   ? 1
                   : 0;
        break;
    case u'c':
        // "corrected-to-normal vision" corrects no p.
        kind = is(u"corrected"sv) && !reader.Matches(end, u"-to") ? 2 : 0;
        break;
    case u'a':
        kind = is(u"adjusted"sv) ? 2 : 0;
        break;
    default:
        kind = (reader.at(begin) == 0x0160 || reader.at(begin) == 0x0161) && length == 5 &&
                       reader.Matches(begin + 1, u"id\u00e1k")
                   ? 1
                   : 0;
    }
    // "without a correction for the family-wise error rate" names none.
    return kind && !Negated(reader, begin) ? kind : 0;
}

qsizetype Before(const QList<qsizetype> &ends, qsizetype at)
{
    const auto it = std::lower_bound(ends.begin(), ends.end(), at);
    return it == ends.begin() ? 0 : *(it - 1) + 1;
}

qsizetype After(const QList<qsizetype> &ends, qsizetype at)
{
    const auto it = std::lower_bound(ends.begin(), ends.end(), at);
    return it == ends.end() ? std::numeric_limits<qsizetype>::max() : *it;
}
} // namespace

TailsReading::TailsReading(QStringView text)
{
    // One pass, a word at a time: most of a long text is words that name nothing.
    const Reader reader(text, false);
    m_size = text.size();
    const char16_t *const chars = text.utf16();
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size;) {
        const char16_t c = chars[i];
        if (IsWordChar(c)) {
            qsizetype end = fastscan::SkipSmallLetters(chars, i + 1, size);
            while (end < size && IsWordChar(chars[end]))
                end = fastscan::SkipSmallLetters(chars, end + 1, size);
            // "tailed" and "sided" end in "d"; a method's name is looked up by its first letter.
            const int tails =
                end - i >= 5 && (chars[end - 1] | 0x20) == u'd' ? TailsOfWord(reader, i, end) : 0;
            if (tails)
                m_mentions.append({end - (reader.Matches(end - 6, u"tailed") ? 6 : 5), tails});
            else if (end - i >= 3 && reader.WordStart(i))
                if (const int kind = CorrectionWord(reader, i, end))
                    (kind == 1 ? m_corrections : m_correctionWords).append(i);
            i = end;
            continue;
        }
        if (IsLineEnd(c)) {
            m_paragraphEnds.append(i);
            m_sentenceEnds.append(i);
        } else if ((c == u'.' || c == u'!' || c == u'?') && reader.SentenceEndsAt(i)) {
            m_sentenceEnds.append(i);
        }
        ++i;
    }
    m_oneTailed = std::any_of(m_mentions.begin(), m_mentions.end(),
                              [](const TailsMention &m) { return m.tails == 1; });
}

TailsReading::Said
TailsReading::TailsOf(qsizetype begin, qsizetype end,
                      const std::function<bool(qsizetype, qsizetype)> &reportsOther) const
{
    if (m_mentions.isEmpty())
        return {};
    const qsizetype paragraph = Before(m_paragraphEnds, begin);
    const qsizetype sentence = std::max(paragraph, Before(m_sentenceEnds, begin));
    const qsizetype sentenceEnd = After(m_sentenceEnds, end);
    const auto from = [this](qsizetype at) {
        return std::lower_bound(m_mentions.begin(), m_mentions.end(), at,
                                [](const TailsMention &m, qsizetype a) { return m.at < a; });
    };
    // The mention nearest to the result in its own sentence.
    Said said;
    qsizetype nearest = std::numeric_limits<qsizetype>::max();
    for (auto m = from(sentence); m != m_mentions.end() && m->at < sentenceEnd; ++m) {
        const qsizetype gap = m->at < begin ? begin - m->at : m->at - end;
        if (gap < nearest) {
            nearest = gap;
            said = {m->tails, Where::OwnSentence};
        }
    }
    if (said.tails || sentence == paragraph)
        return said;
    // The sentences before, in the same paragraph, up to two and none that reports a result of
    // its own: "A one-tailed t test was used. Alpha was .05. The scores ..., t(38) = 2.10".
    qsizetype later = sentence;
    for (int back = 1; back <= 2 && later > paragraph; ++back) {
        const qsizetype earlier = std::max(paragraph, Before(m_sentenceEnds, later - 1));
        if (reportsOther(earlier, later - 1))
            return {};
        for (auto m = from(earlier); m != m_mentions.end() && m->at < later; ++m)
            said = {m->tails, back == 1 ? Where::SentenceBefore : Where::Paragraph};
        if (said.tails)
            return said;
        later = earlier;
    }
    return said;
}

TailsReading::Correction TailsReading::NamesCorrection(qsizetype at) const
{
    const qsizetype from = Before(m_paragraphEnds, at), to = After(m_paragraphEnds, at);
    for (const QList<qsizetype> *mentions : {&m_corrections, &m_correctionWords}) {
        const auto mention = std::lower_bound(mentions->begin(), mentions->end(), from);
        if (mention != mentions->end() && *mention < to)
            return Correction::InParagraph;
    }
    return m_corrections.isEmpty() ? Correction::None : Correction::InText;
}

qsizetype TailsReading::SentenceStart(qsizetype at) const
{
    return Before(m_sentenceEnds, at);
}

qsizetype TailsReading::SentenceEnd(qsizetype at) const
{
    return std::min(After(m_sentenceEnds, at), m_size);
}

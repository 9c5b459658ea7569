#include "engine/tails.h"

#include "engine/fastscan.h"
#include "engine/textreader.h"

#include <algorithm>
#include <limits>

namespace engine {

using namespace textreading;
using namespace std::string_view_literals;

namespace {
// "one-tailed", "one sided", "1-tailed", "twotailed" as a converter joins it: the word that ends in
// "tailed" or "sided" and what stands before it. A "directional" hypothesis names no test.
int TailsOfWord(const Reader &reader, Index begin, Index end)
{
    Index at = -1;
    if (end - begin >= 6 && reader.Matches(end - 6, u"tailed"))
        at = end - 6;
    else if (end - begin >= 5 && reader.Matches(end - 5, u"sided"))
        at = end - 5;
    if (at < 0)
        return 0;
    Index before = at;
    const char16_t joint = reader.at(before - 1);
    if (before > 0 && (IsMinus(joint) || joint == 0x2010 || joint == 0x2011 || joint == u' '))
        --before;
    if ((before >= 3 && reader.Matches(before - 3, u"one")) || reader.at(before - 1) == u'1')
        return 1;
    if ((before >= 3 && reader.Matches(before - 3, u"two")) || reader.at(before - 1) == u'2')
        return 2;
    return 0;
}

// Whether "without", "no" or "not" stands shortly before, in the same sentence.
bool Negated(const Reader &reader, Index at)
{
    for (Index i = at - 1; i >= 0 && i > at - 60; --i) {
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
int CorrectionWord(const Reader &reader, Index begin, Index end)
{
    const Index length = end - begin;
    const auto is = [&](std::u16string_view word) {
        return length == Index(word.size()) && reader.Matches(begin, word);
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

Index Before(const std::vector<Index> &ends, Index at)
{
    const auto it = std::lower_bound(ends.begin(), ends.end(), at);
    return it == ends.begin() ? 0 : *(it - 1) + 1;
}

Index After(const std::vector<Index> &ends, Index at)
{
    const auto it = std::lower_bound(ends.begin(), ends.end(), at);
    return it == ends.end() ? std::numeric_limits<Index>::max() : *it;
}
} // namespace

TailsReading::TailsReading(TextView text)
{
    // One pass, a word at a time: most of a long text is words that name nothing.
    const Reader reader(text, false);
    m_size = text.size();
    const char16_t *const chars = text.data();
    const Index size = Index(text.size());
    for (Index i = 0; i < size;) {
        const char16_t c = chars[i];
        if (IsWordChar(c)) {
            Index end = fastscan::SkipSmallLetters(chars, i + 1, size);
            while (end < size && IsWordChar(chars[end]))
                end = fastscan::SkipSmallLetters(chars, end + 1, size);
            // "tailed" and "sided" end in "d"; a method's name is looked up by its first letter.
            const int tails =
                end - i >= 5 && (chars[end - 1] | 0x20) == u'd' ? TailsOfWord(reader, i, end) : 0;
            if (tails)
                m_mentions.push_back({end - (reader.Matches(end - 6, u"tailed") ? 6 : 5), tails});
            else if (end - i >= 3 && reader.WordStart(i))
                if (const int kind = CorrectionWord(reader, i, end))
                    (kind == 1 ? m_corrections : m_correctionWords).push_back(i);
            i = end;
            continue;
        }
        if (IsLineEnd(c)) {
            m_paragraphEnds.push_back(i);
            m_sentenceEnds.push_back(i);
        } else if ((c == u'.' || c == u'!' || c == u'?') && reader.SentenceEndsAt(i)) {
            m_sentenceEnds.push_back(i);
        }
        ++i;
    }
    m_oneTailed = std::any_of(m_mentions.begin(), m_mentions.end(),
                              [](const TailsMention &m) { return m.tails == 1; });
}

TailsReading::Said
TailsReading::TailsOf(Index begin, Index end,
                      const std::function<bool(Index, Index)> &reportsOther) const
{
    if (m_mentions.empty())
        return {};
    const Index paragraph = Before(m_paragraphEnds, begin);
    const Index sentence = std::max(paragraph, Before(m_sentenceEnds, begin));
    const Index sentenceEnd = After(m_sentenceEnds, end);
    const auto from = [this](Index at) {
        return std::lower_bound(m_mentions.begin(), m_mentions.end(), at,
                                [](const TailsMention &m, Index a) { return m.at < a; });
    };
    // The mention nearest to the result in its own sentence.
    Said said;
    Index nearest = std::numeric_limits<Index>::max();
    for (auto m = from(sentence); m != m_mentions.end() && m->at < sentenceEnd; ++m) {
        const Index gap = m->at < begin ? begin - m->at : m->at - end;
        if (gap < nearest) {
            nearest = gap;
            said = {m->tails, Where::OwnSentence};
        }
    }
    if (said.tails || sentence == paragraph)
        return said;
    // The sentences before, in the same paragraph, up to two and none that reports a result of
    // its own: "A one-tailed t test was used. Alpha was .05. The scores ..., t(38) = 2.10".
    Index later = sentence;
    for (int back = 1; back <= 2 && later > paragraph; ++back) {
        const Index earlier = std::max(paragraph, Before(m_sentenceEnds, later - 1));
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

TailsReading::Correction TailsReading::NamesCorrection(Index at) const
{
    const Index from = Before(m_paragraphEnds, at), to = After(m_paragraphEnds, at);
    for (const std::vector<Index> *mentions : {&m_corrections, &m_correctionWords}) {
        const auto mention = std::lower_bound(mentions->begin(), mentions->end(), from);
        if (mention != mentions->end() && *mention < to)
            return Correction::InParagraph;
    }
    return m_corrections.empty() ? Correction::None : Correction::InText;
}

Index TailsReading::SentenceStart(Index at) const
{
    return Before(m_sentenceEnds, at);
}

Index TailsReading::SentenceEnd(Index at) const
{
    return std::min(After(m_sentenceEnds, at), m_size);
}

} // namespace engine

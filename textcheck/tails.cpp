#include "textcheck/tails.h"

#include "textcheck/textreader.h"

#include <algorithm>
#include <limits>
#include <tuple>

using namespace textreading;

namespace {
// "one-tailed", "one sided", "1-tailed"; "two-tailed". A "directional" hypothesis names no test.
QList<TailsMention> TailsMentions(const Reader &reader)
{
    QList<TailsMention> mentions;
    const QStringView text = reader.text();
    for (qsizetype at = 0; at + 1 < reader.size(); ++at) {
        // Two letters tell the two words apart before either is compared whole.
        const char16_t first = reader.at(at) | 0x20, second = reader.at(at + 1) | 0x20;
        if (!(first == u't' && second == u'a') && !(first == u's' && second == u'i'))
            continue;
        if (!reader.Matches(at, u"tailed") && !reader.Matches(at, u"sided"))
            continue;
        qsizetype before = at;
        const char16_t joint = reader.at(before - 1);
        if (before > 0 && (IsMinus(joint) || joint == 0x2010 || joint == 0x2011 || joint == u' '))
            --before;
        const QStringView lead =
            text.mid(std::max<qsizetype>(0, before - 3), std::min<qsizetype>(3, before));
        if (lead.endsWith(u"one", Qt::CaseInsensitive) || lead.endsWith(u"1"))
            mentions.append({at, 1});
        else if (lead.endsWith(u"two", Qt::CaseInsensitive) || lead.endsWith(u"2"))
            mentions.append({at, 2});
    }
    return mentions;
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

// Correction methods named, and the words "corrected" and "adjusted"; each in order.
std::pair<QList<qsizetype>, QList<qsizetype>> CorrectionMentions(const Reader &reader)
{
    static constexpr std::u16string_view words[] = {
        u"bonferroni",  u"holm",       u"sidak",           u"\u0161id\u00e1k", u"tukey",
        u"scheff",      u"fdr",        u"false discovery", u"benjamini",       u"hochberg",
        u"family-wise", u"familywise", u"corrected",       u"adjusted"};
    QList<qsizetype> mentions, general;
    for (qsizetype at = 0; at < reader.size(); ++at) {
        const char16_t c = reader.at(at) | 0x20;
        if (!(c == u'b' || c == u'h' || c == u's' || c == u't' || c == u'f' || c == u'c' ||
              c == u'a' || reader.at(at) == 0x0160 || reader.at(at) == 0x0161) ||
            !reader.WordStart(at))
            continue;
        for (const std::u16string_view word : words) {
            if (!reader.Matches(at, word) && !(word.front() == 0x0161 && reader.at(at) == 0x0160 &&
                                               reader.Matches(at + 1, word.substr(1))))
                continue;
            // "Holmes" names no method; "Scheffé" is matched by its stem.
            if (word != u"scheff" && IsLetter(reader.at(at + qsizetype(word.size()))))
                continue;
            // "without a correction for the family-wise error rate" names none.
            if (Negated(reader, at))
                continue;
            // "corrected-to-normal vision" corrects no p.
            if (word == u"corrected" && reader.Matches(at + 9, u"-to"))
                continue;
            // "corrected" and "adjusted" count only in the result's own paragraph.
            const bool named = word != u"corrected" && word != u"adjusted";
            (named ? mentions : general).append(at);
            break;
        }
    }
    return {mentions, general};
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
    const Reader reader(text, false);
    for (qsizetype i = 0; i < reader.size(); ++i) {
        const char16_t c = reader.at(i);
        if (IsLineEnd(c)) {
            m_paragraphEnds.append(i);
            m_sentenceEnds.append(i);
        } else if ((c == u'.' || c == u'!' || c == u'?') && reader.SentenceEndsAt(i)) {
            m_sentenceEnds.append(i);
        }
    }
    m_mentions = TailsMentions(reader);
    std::tie(m_corrections, m_correctionWords) = CorrectionMentions(reader);
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

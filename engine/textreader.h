#pragma once

#include "engine/scanner.h"

#include <array>
#include <optional>
#include <string_view>

namespace engine {

// The scanner's reading of single pieces at a place in the text: a figure, a p, "ns", a
// statistic with its degrees of freedom, a sentence's end. Each reads with a bounded look-ahead,
// so that no text can make the scan slow.

namespace textreading {

// How far a statistic may stand from its p, and how many blanks may part two pieces of one
// result (a line end with an indent included).
constexpr Index LookAhead = 200;
constexpr Index MostBlanks = 24;
// A figure with more digits than this is no statistic, and is not read further.
constexpr Index MostDigits = 40;

inline bool IsLineEnd(char16_t c)
{
    return c == u'\n' || c == u'\r' || c == 0x2028 || c == 0x2029;
}

inline bool IsBlank(char16_t c)
{
    switch (c) {
    case u' ':
    case u'\t':
    case 0x00A0: // no-break space
    case 0x00AD: // soft hyphen
    case 0x2009: // thin space
    case 0x200A: // hair space
    case 0x200B: // zero width space
    case 0x202F: // narrow no-break space
    case 0x2060: // word joiner
    case 0x3000:
    case 0xFEFF:
        return true;
    default:
        return (c >= 0x2002 && c <= 0x2008) || IsLineEnd(c);
    }
}

inline bool IsMinus(char16_t c)
{
    return c == u'-' || c == 0x2212 || c == 0x2013 || c == 0x2012 || c == 0xFE63 || c == 0xFF0D;
}

inline bool IsDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

inline int SuperscriptDigit(char16_t c)
{
    switch (c) {
    case 0x2070:
        return 0;
    case 0x00B9:
        return 1;
    case 0x00B2:
        return 2;
    case 0x00B3:
        return 3;
    default:
        return c >= 0x2074 && c <= 0x2079 ? c - 0x2070 : -1;
    }
}

inline int SubscriptDigit(char16_t c)
{
    return c >= 0x2080 && c <= 0x2089 ? c - 0x2080 : -1;
}

inline bool IsLetter(char16_t c)
{
    if (c < 0x80)
        return (c | 0x20) >= u'a' && (c | 0x20) <= u'z';
    return IsUnicodeLetter(c);
}

inline bool IsWordChar(char16_t c)
{
    // Every character of a long text is asked this, most of them ASCII: one look into a table.
    static constexpr std::array<bool, 128> ascii = [] {
        std::array<bool, 128> word{};
        for (char16_t a = 0; a < 128; ++a)
            word[a] = (a >= u'0' && a <= u'9') || ((a | 0x20) >= u'a' && (a | 0x20) <= u'z');
        return word;
    }();
    if (c < 128)
        return ascii[c];
    return IsUnicodeLetter(c) || SuperscriptDigit(c) >= 0 || SubscriptDigit(c) >= 0;
}

struct FigureRules {
    bool sign = false;
    bool thousands = false;
    bool exponent = false;
    // A comma right after the figure ends it ("F(2,57)"), rather than making it ambiguous.
    bool commaEnds = false;
    // Inside degrees of freedom a PDF font may draw the digit 1 as the letter l or I.
    bool letterOne = false;
};

struct PToken {
    Index begin, end;
    ScannedFigure p;
    PComparison comparison;
    Text comparisonName;
    bool plural;
};

struct Statistic {
    ScannedResult result;
    bool bracketed; // its degrees of freedom in brackets, as APA style writes them
    // A symbol a PDF font drew as another character, or lost: read only with its p right after.
    bool needsDirectP = false;
};

class Reader {
public:
    Reader(TextView text, bool decimalComma) : m_text(text), m_comma(decimalComma) {}

    char16_t at(Index i) const { return size_t(i) < size_t(m_text.size()) ? m_text[size_t(i)] : 0; }
    Index size() const { return m_text.size(); }
    TextView text() const { return m_text; }
    bool decimalComma() const { return m_comma; }
    bool WordStart(Index i) const { return !IsWordChar(at(i - 1)) && at(i - 1) != u'.'; }

    Index SkipBlanks(Index i) const
    {
        for (Index n = 0; n < MostBlanks && IsBlank(at(i)); ++n)
            ++i;
        return i;
    }

    // An ASCII word in any case, compared by hand: this runs at many places of a long text.
    bool Matches(Index i, std::u16string_view word) const
    {
        if (i < 0 || i + Index(word.size()) > size())
            return false;
        for (size_t k = 0; k < word.size(); ++k) {
            char16_t c = m_text[size_t(i) + k];
            if (c >= u'A' && c <= u'Z')
                c += u'a' - u'A';
            if (c != word[k])
                return false;
        }
        return true;
    }
    // The same, as a whole word.
    bool MatchesWord(Index i, std::u16string_view word) const
    {
        return Matches(i, word) && !IsWordChar(at(i + Index(word.size())));
    }

    std::optional<ScannedFigure> ReadFigure(Index i, FigureRules rules) const;
    // Where a figure in this text's notation starts: a digit, or a decimal mark before one.
    bool FigureStartsAt(Index i) const;
    std::optional<PToken> ReadP(Index i) const;
    std::optional<Index> ReadNotSignificant(Index i) const;
    std::optional<Statistic> ReadStatistic(Index i) const;
    bool SentenceEndsAt(Index i) const;
    bool ParagraphEndsAt(Index i) const;

    // p values written with a decimal comma ("p = ,042", "p = 0,042") that a reading with decimal
    // points passed over: a text with more of them than of p values read is read again.
    mutable int commaPs = 0;

private:
    Index ReadDigits(Index i, Text &plain, bool letterOne = false) const;
    bool ReadExponent(Index &i, Text &plain) const;
    std::optional<std::pair<TestKind, Index>> ReadSymbol(Index i, bool &garbled) const;
    std::optional<std::pair<TestKind, Index>> ReadChiSquareSymbol(Index i) const;
    bool ReadDegrees(Index &i, ScannedResult &result) const;
    std::optional<Text> ReadComparison(Index &j, bool drawnAsOther) const;

    TextView m_text;
    bool m_comma;
};

} // namespace textreading

} // namespace engine

#include "engine/textreader.h"

namespace engine {

namespace textreading {

Index Reader::ReadDigits(Index i, Text &plain, bool letterOne) const
{
    const Index first = i;
    for (; i - first <= MostDigits; ++i) {
        const char16_t c = at(i);
        if (IsDigit(c))
            plain += c;
        else if (letterOne && (c == u'l' || c == u'I'))
            plain += u'1';
        else
            break;
    }
    return i - first;
}

bool Reader::FigureStartsAt(Index i) const
{
    if (IsMinus(at(i)))
        ++i;
    const char16_t mark = m_comma ? u',' : u'.';
    return IsDigit(at(i)) || (at(i) == mark && IsDigit(at(i + 1)));
}

std::optional<ScannedFigure> Reader::ReadFigure(Index i, FigureRules rules) const
{
    ScannedFigure figure{i, i, {}};
    if (rules.sign && IsMinus(at(i))) {
        figure.plain += u'-';
        ++i;
    }
    const Index whole = ReadDigits(i, figure.plain, rules.letterOne);
    if (rules.letterOne && whole > 1) {
        // Only a lone "l" stands for 1: in "Il" or "l2" the letter may be a word's.
        for (Index k = i; k < i + whole; ++k)
            if (!IsDigit(at(k)))
                return std::nullopt;
    }
    i += whole;
    // Thousands: groups of exactly three digits ("1,224.08", "N = 1,024"), in a text whose
    // decimal mark is the point.
    if (rules.thousands && !m_comma && whole >= 1 && whole <= 3) {
        while (at(i) == u',' && IsDigit(at(i + 1)) && IsDigit(at(i + 2)) && IsDigit(at(i + 3)) &&
               !IsDigit(at(i + 4))) {
            figure.plain += Mid(m_text, i + 1, 3);
            i += 4;
        }
    }
    const char16_t mark = m_comma ? u',' : u'.', other = m_comma ? u'.' : u',';
    // In a text of decimal commas "F(2,57)" stays two degrees of freedom.
    const bool markEnds = m_comma && rules.commaEnds;
    Index fraction = 0;
    if (at(i) == mark && IsDigit(at(i + 1)) && !markEnds) {
        figure.plain += u'.';
        fraction = ReadDigits(++i, figure.plain);
        i += fraction;
    }
    if (whole + fraction == 0 || whole > MostDigits || fraction > MostDigits)
        return std::nullopt;
    if (rules.exponent && !ReadExponent(i, figure.plain))
        return std::nullopt;
    // "2,10" in a text of decimal points, "1.2.3" and "2.10a" are not figures of its notation:
    // better none than a wrong one.
    const bool otherEnds = other == u',' && rules.commaEnds;
    if ((at(i) == other && IsDigit(at(i + 1)) && !otherEnds) ||
        (at(i) == mark && IsDigit(at(i + 1)) && !markEnds) || IsLetter(at(i)) || IsDigit(at(i)))
        return std::nullopt;
    figure.end = i;
    return figure;
}

// "e-6", "E-06", " × 10⁻⁶", " x 10-6", "*10^-6": false where a written exponent is broken.
bool Reader::ReadExponent(Index &i, Text &plain) const
{
    Index j = i;
    Text sign, digits;
    if ((at(j) == u'e' || at(j) == u'E') &&
        (IsDigit(at(j + 1)) || IsMinus(at(j + 1)) || at(j + 1) == u'+')) {
        ++j;
        if (IsMinus(at(j)) || at(j) == u'+')
            sign = IsMinus(at(j++)) ? Text(u"-") : Text();
        if (ReadDigits(j, digits) == 0 || digits.size() > 3)
            return false;
        i = j + digits.size();
        plain += u'e' + sign + digits;
        return true;
    }
    j = SkipBlanks(j);
    const char16_t times = at(j);
    if (!(times == 0x00D7 || times == u'x' || times == u'X' || times == u'*' || times == 0x00B7 ||
          times == 0x22C5))
        return true;
    j = SkipBlanks(j + 1);
    if (!(at(j) == u'1' && at(j + 1) == u'0'))
        return true;
    j += 2;
    if (at(j) == u'^')
        ++j;
    // "× 10 -6": a converter may set the superscript exponent apart by a blank.
    if (at(j) == u' ' && IsMinus(at(j + 1)) && IsDigit(at(j + 2)))
        ++j;
    if (IsMinus(at(j)) || at(j) == 0x207B) {
        sign = Text(u"-");
        ++j;
    } else if (at(j) == u'+' || at(j) == 0x207A) {
        ++j;
    }
    for (; SuperscriptDigit(at(j)) >= 0 && digits.size() < 4; ++j)
        digits += char16_t(u'0' + SuperscriptDigit(at(j)));
    if (digits.empty())
        j += ReadDigits(j, digits);
    // "× 10" promises an exponent: without one the figure is broken, not 36 times smaller.
    if (digits.empty() || digits.size() > 3)
        return false;
    i = j;
    plain += u'e' + sign + digits;
    return true;
}

// "=", "<", ">", "<=", ">=" in their ASCII and Unicode forms; where a PDF font drew them as other
// characters ("¼" for "=", "b" or "!" for "<", "N" for ">"), only right before a figure.
std::optional<Text> Reader::ReadComparison(Index &j, bool drawnAsOther) const
{
    const char16_t c = at(j), next = at(j + 1);
    if ((c == u'<' || c == u'>') && next == u'=') {
        j += 2;
        return Text{c, u'='};
    }
    if (c == u'=' && (next == u'<' || next == u'>')) {
        j += 2;
        return Text{next, u'='};
    }
    if (c == u'=' || c == u'<' || c == u'>') {
        ++j;
        return Text(1, c);
    }
    if (c == 0x2264 || c == 0x2A7D) {
        ++j;
        return Text(u"<=");
    }
    if (c == 0x2265 || c == 0x2A7E) {
        ++j;
        return Text(u">=");
    }
    if (drawnAsOther && FigureStartsAt(SkipBlanks(j + 1))) {
        const Text drawn = c == 0x00BC              ? Text(u"=")
                           : c == u'b' || c == u'!' ? Text(u"<")
                           : c == u'N'              ? Text(u">")
                                                    : Text();
        if (!drawn.empty()) {
            ++j;
            return drawn;
        }
    }
    return std::nullopt;
}

std::optional<PToken> Reader::ReadP(Index i) const
{
    if ((at(i) != u'p' && at(i) != u'P') || !WordStart(i))
        return std::nullopt;
    Index j = i + 1;
    bool plural = false;
    std::optional<Text> name;
    if (at(j) == u's') {
        plural = true;
        ++j;
    } else if ((at(j) == u'\'' || at(j) == 0x2019) && at(j + 1) == u's') {
        plural = true;
        j += 2;
    } else if ((IsMinus(at(j)) || at(j) == u' ') && Matches(j + 1, u"value")) {
        j += 6;
        if (at(j) == u's')
            ++j;
        // "p value of .04"
        const Index of = SkipBlanks(j);
        if (MatchesWord(of, u"of") && FigureStartsAt(SkipBlanks(of + 2))) {
            name = Text(u"=");
            j = of + 2;
        }
    } else if ((at(j) == u'b' || at(j) == u'N') && !IsWordChar(at(j + 1))) {
        // "pb.001", "pN.05": a comparison drawn as a letter, right against the p.
        name = ReadComparison(j, true);
        if (!name)
            return std::nullopt;
    }
    if (!name && IsWordChar(at(j)))
        return std::nullopt;
    if (!name) {
        j = SkipBlanks(j);
        name = ReadComparison(j, true);
        if (!name)
            return std::nullopt;
    }
    const Index figureAt = SkipBlanks(j);
    const std::optional<ScannedFigure> p = ReadFigure(figureAt, {true, false, true});
    if (!p) {
        // "p = ,042", "p = 0,042": a decimal comma where points were expected.
        const Index mark = at(figureAt) == u'0' ? figureAt + 1 : figureAt;
        if (!m_comma && at(mark) == u',' && IsDigit(at(mark + 1)))
            ++commaPs;
        return std::nullopt;
    }
    // "p = 2 5 10 21": an exponent a converter took apart leaves no p that can be read.
    if (const Index after = SkipBlanks(p->end); after > p->end && IsDigit(at(after)))
        return std::nullopt;
    const PComparison comparison = *name == u"<"    ? PComparison::Less
                                   : *name == u">"  ? PComparison::Greater
                                   : *name == u"<=" ? PComparison::LessOrEqual
                                   : *name == u">=" ? PComparison::GreaterOrEqual
                                                    : PComparison::Equal;
    return PToken{i, p->end, *p, comparison, *name, plural};
}

// "ns", "NS", "n.s." as a word of its own.
std::optional<Index> Reader::ReadNotSignificant(Index i) const
{
    if (!WordStart(i))
        return std::nullopt;
    for (const TextView form : {u"n.s.", u"n. s.", u"n.s", u"ns"}) {
        const Index end = i + Index(form.size());
        if (Mid(m_text, std::min(i, size())).starts_with(form) ||
            (form == u"ns" && at(i) == u'N' && at(i + 1) == u'S')) {
            if (!IsLetter(at(end)) && !IsDigit(at(end)))
                return end;
        }
    }
    return std::nullopt;
}

bool Reader::SentenceEndsAt(Index i) const
{
    const char16_t c = at(i);
    if (c != u'.' && c != u'!' && c != u'?')
        return false;
    Index j = i + 1;
    if (at(j) == u'"' || at(j) == u')' || at(j) == 0x201D)
        ++j;
    if (j >= size() || IsLineEnd(at(j)))
        return true;
    if (!IsBlank(at(j)))
        return false;
    const char16_t after = at(SkipBlanks(j));
    if (!(IsUnicodeUpper(after) || after == 0))
        return false;
    if (c != u'.')
        return true;
    // An initial ("J. Smith") or an abbreviation ("vs. Control", "e.g. Study 2") ends nothing.
    Index word = i;
    while (word > 0 && (IsLetter(at(word - 1)) || at(word - 1) == u'.') && i - word < 8)
        --word;
    const Index length = i - word;
    if (length == 1 && IsLetter(at(word)))
        return false;
    if (length > 6)
        return true;
    using namespace std::string_view_literals;
    static constexpr std::u16string_view abbreviations[] = {
        u"vs"sv, u"e.g"sv, u"i.e"sv,    u"al"sv, u"cf"sv,  u"fig"sv,
        u"eq"sv, u"no"sv,  u"approx"sv, u"ca"sv, u"resp"sv};
    for (const std::u16string_view abbreviation : abbreviations)
        if (length == Index(abbreviation.size()) && Matches(word, abbreviation))
            return false;
    return true;
}

bool Reader::ParagraphEndsAt(Index i) const
{
    if (at(i) == 0x2029)
        return true;
    if (!IsLineEnd(at(i)))
        return false;
    Index j = i + 1;
    if (at(i) == u'\r' && at(j) == u'\n')
        ++j;
    while (at(j) == u' ' || at(j) == u'\t')
        ++j;
    return IsLineEnd(at(j));
}

} // namespace textreading

} // namespace engine

#include "engine/figurereader.h"

namespace engine {

using namespace textreading;

namespace figurereading {
namespace {

bool IsTwo(char16_t c)
{
    return c == u'2' || c == 0x00B2;
}

bool IsP(char16_t c)
{
    return c == u'p' || c == u'P';
}

// After a name: blanks, "=" (or "¼" as a PDF font draws it), blanks, a signed figure.
std::optional<ScannedFigure> ValueAfter(const Reader &reader, Index j)
{
    j = reader.SkipBlanks(j);
    if (reader.at(j) != u'=' && reader.at(j) != 0x00BC)
        return std::nullopt;
    return reader.ReadFigure(reader.SkipBlanks(j + 1), {true, true, false, true});
}

// After η or ω: "p2", "p 2", "p²", "_p^2", "2p", "²p", "² p" is no part of it; "2", "²", " 2".
// Where the name ends, and whether it is partial.
std::optional<std::pair<Index, bool>> Squared(const Reader &reader, Index k)
{
    bool partial = false;
    if (reader.at(k) == u' ')
        ++k;
    if (reader.at(k) == u'_')
        ++k;
    if (IsP(reader.at(k))) {
        partial = true;
        ++k;
        if (reader.at(k) == u' ')
            ++k;
    }
    if (reader.at(k) == u'^')
        ++k;
    if (!IsTwo(reader.at(k)))
        return std::nullopt;
    ++k;
    if (!partial) {
        Index m = k;
        if (reader.at(m) == u'_')
            ++m;
        if (IsP(reader.at(m)) && !IsWordChar(reader.at(m + 1))) {
            partial = true;
            k = m + 1;
        }
    }
    if (IsWordChar(reader.at(k)))
        return std::nullopt;
    return std::pair{k, partial};
}

// The d family: "d", "d_z", "dz", "d z", "d_{z}", "d_av", "dav", "d av", "d_s", "ds".
std::optional<std::pair<Name, Index>> DName(const Reader &reader, Index i)
{
    const auto word = [&](Index k, std::u16string_view text) {
        return reader.MatchesWord(k, text);
    };
    Index k = i + 1;
    if (reader.at(k) == u' ') {
        if (word(k + 1, u"z"))
            return std::pair{Name::Dz, k + 2};
        if (word(k + 1, u"av"))
            return std::pair{Name::Dav, k + 3};
        return std::pair{Name::D, k};
    }
    if (reader.at(k) == u'_') {
        ++k;
        const bool braced = reader.at(k) == u'{';
        if (braced)
            ++k;
        for (const auto &[suffix, name] :
             {std::pair{std::u16string_view(u"z"), Name::Dz}, {u"av", Name::Dav}, {u"s", Name::D}})
            if (reader.Matches(k, suffix)) {
                Index end = k + Index(suffix.size());
                if (braced && reader.at(end) == u'}')
                    ++end;
                if (!IsWordChar(reader.at(end)))
                    return std::pair{name, end};
            }
        return std::nullopt;
    }
    if (!IsWordChar(reader.at(k)))
        return std::pair{Name::D, k};
    if (word(k, u"z"))
        return std::pair{Name::Dz, k + 1};
    if (word(k, u"av"))
        return std::pair{Name::Dav, k + 2};
    if (word(k, u"s"))
        return std::pair{Name::D, k + 1};
    return std::nullopt;
}

// "Cohen's d", "Hedges' g", "Cramér's V": a possessive before the symbol.
Index AfterPossessive(const Reader &reader, Index k)
{
    if (reader.at(k) == u'\'' || reader.at(k) == 0x2019) {
        ++k;
        if (reader.at(k) == u's')
            ++k;
    } else if (reader.at(k) == u's') {
        ++k;
    }
    return reader.at(k) == u' ' ? k + 1 : -1;
}

// Where a name starts at i: what it names and where it ends.
std::optional<std::pair<Name, Index>> ReadName(const Reader &reader, Index i)
{
    const char16_t c = reader.at(i);
    const auto alone = [&](Index length) { return !IsWordChar(reader.at(i + length)); };
    switch (c) {
    case u'd':
        return DName(reader, i);
    case u'g':
        return alone(1) ? std::optional(std::pair{Name::G, i + 1}) : std::nullopt;
    case u'C':
        if (reader.Matches(i, u"cohen")) {
            const Index d = AfterPossessive(reader, i + 5);
            if (d > 0 && reader.at(d) == u'd')
                return DName(reader, d);
        }
        if (reader.Matches(i, u"cram")) {
            Index k = i + 4;
            while (IsLetter(reader.at(k)) && k < i + 8)
                ++k;
            const Index v = AfterPossessive(reader, k);
            if (v > 0 && reader.at(v) == u'V' && !IsWordChar(reader.at(v + 1)))
                return std::pair{Name::V, v + 1};
        }
        return std::nullopt;
    case u'H':
        if (reader.Matches(i, u"hedges")) {
            const Index g = AfterPossessive(reader, i + 6);
            if (g > 0 && reader.at(g) == u'g' && !IsWordChar(reader.at(g + 1)))
                return std::pair{Name::G, g + 1};
        }
        return alone(2) && reader.at(i + 1) == u'R' ? std::optional(std::pair{Name::Ratio, i + 2})
                                                    : std::nullopt;
    case 0x03B7: // η
    case 0x03C9: // ω
        if (const auto squared = Squared(reader, i + 1)) {
            const Name name =
                c == 0x03B7 ? (squared->second ? Name::EtaPartial : Name::Eta) : Name::OmegaPartial;
            if (c == 0x03C9 && !squared->second)
                return std::nullopt; // ω² of a whole design needs its N
            return std::pair{name, squared->first};
        }
        return std::nullopt;
    case u'p':
        if (reader.MatchesWord(i, u"partial")) {
            const Index symbol = reader.SkipBlanks(i + 7);
            const char16_t s = reader.at(symbol);
            if (s == 0x03B7 || s == 0x03C9)
                if (const auto squared = Squared(reader, symbol + 1))
                    return std::pair{s == 0x03B7 ? Name::EtaPartial : Name::OmegaPartial,
                                     squared->first};
        }
        return std::nullopt;
    case u'R':
        if (reader.at(i + 1) == u'R' && alone(2))
            return std::pair{Name::Ratio, i + 2};
        for (const Index two : {i + 1, i + 2})
            if (IsTwo(reader.at(two)) && (two == i + 1 || reader.at(i + 1) == u' ') &&
                !IsWordChar(reader.at(two + 1))) {
                // An adjusted R² has a formula of its own.
                if (i >= 9 && reader.Matches(i - 9, u"adjusted "))
                    return std::nullopt;
                return std::pair{Name::RSquared, two + 1};
            }
        return std::nullopt;
    case u'r':
        return IsTwo(reader.at(i + 1)) && alone(2)
                   ? std::optional(std::pair{Name::SmallRSquared, i + 2})
                   : std::nullopt;
    case 0x03C6: // φ
    case 0x03D5:
        return alone(1) ? std::optional(std::pair{Name::Phi, i + 1}) : std::nullopt;
    case u'V':
        return alone(1) ? std::optional(std::pair{Name::V, i + 1}) : std::nullopt;
    case u'b':
    case u'B':
    case 0x03B2: // β
    case 0x00DF: // ß, as converters write β
    case 0x03B3: // γ
        return alone(1) ? std::optional(std::pair{Name::Estimate, i + 1}) : std::nullopt;
    case u'e':
        return reader.MatchesWord(i, u"estimate") ? std::optional(std::pair{Name::Estimate, i + 8})
                                                  : std::nullopt;
    case u'S':
        if (reader.MatchesWord(i, u"se"))
            return std::pair{Name::StandardError, i + 2};
        if (reader.MatchesWord(i, u"sd"))
            return std::pair{Name::Sd, i + 2};
        return std::nullopt;
    case u'O':
        return reader.at(i + 1) == u'R' && alone(2) ? std::optional(std::pair{Name::Ratio, i + 2})
                                                    : std::nullopt;
    case u'N':
        return alone(1) ? std::optional(std::pair{Name::TotalN, i + 1}) : std::nullopt;
    case u'n': {
        const char16_t next = reader.at(i + 1);
        const Index label = next == u'_' ? i + 2 : i + 1;
        const char16_t digit = reader.at(label);
        if ((digit == u'1' || digit == 0x2081) && !IsWordChar(reader.at(label + 1)))
            return std::pair{Name::GroupN1, label + 1};
        if ((digit == u'2' || digit == 0x2082) && !IsWordChar(reader.at(label + 1)))
            return std::pair{Name::GroupN2, label + 1};
        return alone(1) ? std::optional(std::pair{Name::SmallN, i + 1}) : std::nullopt;
    }
    case u'M':
        return alone(1) ? std::optional(std::pair{Name::Mean, i + 1}) : std::nullopt;
    default:
        return std::nullopt;
    }
}

// "95% CI [0.10, 0.50]", "95% CI = [0.10, 0.50]", "90% CI: (.01, .25)",
// "95% confidence interval (CI) = [−0.016, 0.026]".
std::optional<Figure> ReadInterval(const Reader &reader, Index i)
{
    int level = 0, digits = 0;
    Index k = i;
    while (IsDigit(reader.at(k)) && k - i < 3) {
        level = level * 10 + (reader.at(k++) - u'0');
        ++digits;
    }
    if (digits != 2 || reader.at(k) != u'%')
        return std::nullopt;
    k = reader.SkipBlanks(k + 1);
    if (reader.MatchesWord(k, u"ci")) {
        k += 2;
    } else if (reader.Matches(k, u"confidence interval")) {
        k = reader.SkipBlanks(k + 19);
        if (reader.Matches(k, u"(ci)"))
            k += 4;
    } else {
        return std::nullopt;
    }
    k = reader.SkipBlanks(k);
    if (reader.at(k) == u'=' || reader.at(k) == u':')
        k = reader.SkipBlanks(k + 1);
    const auto limits = ReadLimits(reader, k, {true, true, false, true});
    if (!limits)
        return std::nullopt;
    const Index close = reader.SkipBlanks(limits->second.end);
    return Figure{Name::Interval, i, close + 1, {}, limits->first, limits->second, level};
}

} // namespace

std::optional<std::pair<ScannedFigure, ScannedFigure>> ReadLimits(const Reader &reader, Index i,
                                                                  FigureRules rules)
{
    const char16_t open = reader.at(i);
    if (open != u'[' && open != u'(')
        return std::nullopt;
    const auto lower = reader.ReadFigure(reader.SkipBlanks(i + 1), rules);
    if (!lower)
        return std::nullopt;
    Index j = reader.SkipBlanks(lower->end);
    if (reader.at(j) == u',' || reader.at(j) == u';')
        j = reader.SkipBlanks(j + 1);
    const auto upper = reader.ReadFigure(j, rules);
    if (!upper)
        return std::nullopt;
    j = reader.SkipBlanks(upper->end);
    if (reader.at(j) != (open == u'[' ? u']' : u')'))
        return std::nullopt;
    return std::pair{*lower, *upper};
}

std::vector<Figure> ReadFigures(const Reader &reader, Index from, Index to)
{
    std::vector<Figure> figures;
    for (Index i = from; i < to; ++i) {
        if (!reader.WordStart(i) && reader.at(i - 1) != u'_')
            continue;
        if (IsDigit(reader.at(i))) {
            if (const auto interval = ReadInterval(reader, i)) {
                figures.push_back(*interval);
                i = interval->end - 1;
            }
            continue;
        }
        const auto name = ReadName(reader, i);
        if (!name)
            continue;
        const auto value = ValueAfter(reader, name->second);
        if (!value)
            continue;
        Figure figure{name->first, i, value->end, *value, {}, {}, 95};
        if (figure.name == Name::SmallN) {
            const Index after = reader.SkipBlanks(value->end);
            for (const std::u16string_view words :
                 {u"per group", u"per condition", u"in each group", u"each"})
                if (reader.Matches(after, words))
                    figure.perGroup = true;
        }
        figures.push_back(figure);
        i = value->end - 1;
    }
    return figures;
}

namespace {
// Whether a word of `words` starts at a place from `from` to `to`. Each place is first asked
// for its letter, in either case, among the words' first letters: nearly all differ there, and
// this runs over the sentence of every result.
template <size_t Count>
bool NamesAny(const Reader &reader, Index from, Index to, const std::u16string_view (&words)[Count])
{
    bool first[128] = {};
    for (const std::u16string_view word : words)
        first[word.front()] = first[word.front() - u'a' + u'A'] = true;
    for (Index i = from; i < to; ++i) {
        const char16_t c = reader.at(i);
        if (c >= 128 || !first[c] || !reader.WordStart(i))
            continue;
        for (const std::u16string_view word : words)
            if (reader.Matches(i, word))
                return true;
    }
    return false;
}
} // namespace

bool NamesPairedDesign(const Reader &reader, Index from, Index to)
{
    static constexpr std::u16string_view Words[] = {u"paired", u"dependent", u"within",
                                                    u"repeated"};
    return NamesAny(reader, from, to, Words);
}

bool NamesOneWayDesign(const Reader &reader, Index from, Index to)
{
    static constexpr std::u16string_view Words[] = {u"one-way", u"one way"};
    return NamesAny(reader, from, to, Words);
}

} // namespace figurereading

} // namespace engine

// A statistic's symbol, its degrees of freedom and its value, in the forms authors and PDF
// converters write them.
#include "engine/textreader.h"

#include <algorithm>
#include <iterator>

namespace engine {

namespace textreading {
namespace {
bool IsPrivateUse(char16_t c)
{
    return c >= 0xE000 && c <= 0xF8FF;
}
} // namespace

// After χ, Chi or G: the 2 ("χ2", "χ²", "χ 2", "χ^2") and a label ("χ2diff", "χ²_T2",
// "χ2 difference"); where the symbol ends.
std::optional<std::pair<TestKind, Index>> Reader::ReadChiSquareSymbol(Index j) const
{
    const auto ends = [this](Index k) { return !IsWordChar(at(k)); };
    Index k = j;
    if (IsBlank(at(k)) && !IsLineEnd(at(k)))
        ++k;
    if (at(k) == u'^')
        ++k;
    if (at(k) != u'2' && at(k) != 0x00B2)
        return ends(j) ? std::optional(std::pair{TestKind::ChiSquare, j}) : std::nullopt;
    ++k;
    if (at(k) == u'_' && IsWordChar(at(k + 1)))
        ++k;
    const Index label = k;
    while ((IsLetter(at(k)) || IsDigit(at(k))) && k - label < 12)
        ++k;
    if (k == label && at(k) == u' ') {
        for (const std::u16string_view word : {u"difference", u"diff"})
            if (MatchesWord(k + 1, word))
                return std::pair{TestKind::ChiSquare, k + 1 + Index(word.size())};
    }
    return ends(k) ? std::optional(std::pair{TestKind::ChiSquare, k}) : std::nullopt;
}

// A statistic's symbol at a word's start: what test it names and where the symbol ends.
// `garbled` where the symbol is one a PDF font drew as another character, or lost.
std::optional<std::pair<TestKind, Index>> Reader::ReadSymbol(Index i, bool &garbled) const
{
    const char16_t c = at(i);
    garbled = false;
    if (!WordStart(i))
        return std::nullopt;
    const auto ends = [this](Index j) { return !IsWordChar(at(j)); };
    // χ lost or drawn as one other character before its 2: "c2(1)", "?2(1)", "2 (1)".
    const auto drawnChi = [&](Index two) -> std::optional<std::pair<TestKind, Index>> {
        if (at(two) != u'2' || IsWordChar(at(two + 1)))
            return std::nullopt;
        garbled = true;
        return std::pair{TestKind::ChiSquare, two + 1};
    };
    switch (c) {
    case u'r':
        // Spearman's "r S (420)", "r_s(420)", "rS(420)": read as r (its t approximation), only
        // with its degrees of freedom in brackets.
        if ((at(i + 1) == u' ' || at(i + 1) == u'_') && (at(i + 2) | 0x20) == u's' && ends(i + 3))
            return std::pair{TestKind::R, i + 3};
        if ((at(i + 1) | 0x20) == u's' && ends(i + 2))
            return std::pair{TestKind::R, i + 2};
        [[fallthrough]];
    case u't':
        // "t₃₈ = 2.10": degrees of freedom as subscript digits.
        if (!ends(i + 1) && SubscriptDigit(at(i + 1)) < 0)
            return std::nullopt;
        return std::pair{c == u't' ? TestKind::T : TestKind::R, i + 1};
    case u'F':
        // Welch's "F_W", "FW".
        if (at(i + 1) == u'_' && at(i + 2) == u'W' && ends(i + 3))
            return std::pair{TestKind::F, i + 3};
        if (at(i + 1) == u'W' && ends(i + 2))
            return std::pair{TestKind::F, i + 2};
        return ends(i + 1) ? std::optional(std::pair{TestKind::F, i + 1}) : std::nullopt;
    case u'B':
        // Brown–Forsythe's "BF(2, 56)".
        if (at(i + 1) == u'F' && ends(i + 2))
            return std::pair{TestKind::F, i + 2};
        return drawnChi(i + 1);
    case u'z':
    case u'Z': {
        // "d z = 0.45" is d_z with its subscript set apart by a converter, not a z test.
        if (at(i - 1) == u' ' && at(i - 2) == u'd' && !IsWordChar(at(i - 3)))
            return std::nullopt;
        if (ends(i + 1) && at(i + 1) != u'_')
            return std::pair{TestKind::Z, i + 1};
        // A label: "z_Sobel", "zBlack", "zdiff".
        Index j = i + 1;
        if (at(j) == u'_')
            ++j;
        else if (!(c == u'z' && (IsUnicodeUpper(at(j)) || Matches(j, u"diff"))))
            return std::nullopt;
        const Index label = j;
        while ((IsLetter(at(j)) || IsDigit(at(j))) && j - label < 12)
            ++j;
        return j > label && ends(j) ? std::optional(std::pair{TestKind::Z, j}) : std::nullopt;
    }
    case u'Q': {
        // Q, Qb, QT, Q-within, Q_between: a heterogeneity Q and its parts.
        Index j = i + 1;
        if (at(j) == u'-' || at(j) == u'_')
            ++j;
        const Index letters = j;
        while (IsLetter(at(j)) && j - letters < 12)
            ++j;
        if (j == letters && j != i + 1)
            return std::nullopt;
        // Longer names only where they name a part of Q ("Quality(3)" is no statistic).
        static constexpr std::u16string_view parts[] = {
            u"within", u"between", u"total", u"residual", u"error", u"model", u"resid"};
        if (j - letters > 3 && std::none_of(std::begin(parts), std::end(parts), [&](auto part) {
                return j - letters == Index(part.size()) && Matches(letters, part);
            }))
            return std::nullopt;
        return ends(j) ? std::optional(std::pair{TestKind::Q, j}) : std::nullopt;
    }
    case 0x03C7:
    case 0x03A7:
        return ReadChiSquareSymbol(i + 1);
    case u'G':
        // The likelihood-ratio G², chi-square distributed: its 2 is needed.
        if (at(i + 1) == u'2' || at(i + 1) == 0x00B2 || (at(i + 1) == u' ' && at(i + 2) == u'2'))
            return ReadChiSquareSymbol(i + 1);
        return std::nullopt;
    case u'X':
    case u'x':
        if (at(i + 1) == u'2' || at(i + 1) == 0x00B2)
            return ReadChiSquareSymbol(i + 1);
        return std::nullopt;
    case 0x0394: {
        // Δχ², ΔG², ΔF: a change, tested as its statistic.
        Index j = i + 1;
        if (at(j) == u' ')
            ++j;
        const char16_t symbol = at(j);
        if (symbol == 0x03C7 || symbol == 0x03A7)
            return ReadChiSquareSymbol(j + 1);
        if ((symbol == u'G' || symbol == u'X') && (at(j + 1) == u'2' || at(j + 1) == 0x00B2))
            return ReadChiSquareSymbol(j + 1);
        if (symbol == u'F' && ends(j + 1))
            return std::pair{TestKind::F, j + 1};
        return std::nullopt;
    }
    case u'c':
    case u'C':
        if (Matches(i, u"chi")) {
            Index j = i + 3;
            if ((at(j) == u'-' || at(j) == u' ') && Matches(j + 1, u"square")) {
                j += 7;
                if (at(j) == u'd')
                    ++j;
            }
            return ReadChiSquareSymbol(j);
        }
        return c == u'c' ? drawnChi(i + 1) : std::nullopt;
    case u'v':
    case u'?':
    case 0xFFFD:
        return drawnChi(i + 1);
    case u'2':
        // χ lost before its 2: only "2 (df)" may follow.
        if (at(i + 1) == u' ' && at(i + 2) == u'(') {
            garbled = true;
            return std::pair{TestKind::ChiSquare, i + 1};
        }
        return std::nullopt;
    default:
        return IsPrivateUse(c) ? drawnChi(i + 1) : std::nullopt;
    }
}

// The bracket after the symbol: "(38)", "[2, 57]", "(1, N = 1,024)", "(37.52)", "(N = 100)".
bool Reader::ReadDegrees(Index &i, ScannedResult &result) const
{
    const TestKind test = result.test;
    if (test == TestKind::Z)
        return false;
    Index j = SkipBlanks(i + 1);
    if (Matches(j, u"df")) {
        j = SkipBlanks(j + 2);
        if (at(j) != u'=')
            return false;
        j = SkipBlanks(j + 1);
    }
    const auto sampleSize = [&](Index k) -> std::optional<Index> {
        if ((at(k) != u'N' && at(k) != u'n') || IsWordChar(at(k + 1)))
            return std::nullopt;
        k = SkipBlanks(k + 1);
        if (at(k) != u'=')
            return std::nullopt;
        const auto n = ReadFigure(SkipBlanks(k + 1), {false, true, false});
        if (!n)
            return std::nullopt;
        result.n = *n;
        return SkipBlanks(n->end);
    };
    if (test == TestKind::R) {
        if (const auto end = sampleSize(j)) {
            result.dfFromN = true;
            if (at(*end) != u')' && at(*end) != u']')
                return false;
            i = *end + 1;
            return true;
        }
    }
    const bool oneOfSeveral =
        test == TestKind::F || test == TestKind::ChiSquare || test == TestKind::Q;
    const auto df1 = ReadFigure(j, {false, !oneOfSeveral, false, oneOfSeveral, true});
    if (!df1)
        return false;
    result.df1 = *df1;
    j = SkipBlanks(df1->end);
    if (test == TestKind::F) {
        if (at(j) != u',' && at(j) != u';' && at(j) != u'/')
            return false;
        const auto df2 = ReadFigure(SkipBlanks(j + 1), {false, true, false, false, true});
        if (!df2)
            return false;
        result.df2 = *df2;
        j = SkipBlanks(df2->end);
    } else if (test == TestKind::ChiSquare || test == TestKind::Q) {
        Index k = j;
        if (at(k) == u',' || at(k) == u';')
            k = SkipBlanks(k + 1);
        if ((at(k) == u'N' || at(k) == u'n') && !IsWordChar(at(k + 1))) {
            const auto end = sampleSize(k);
            if (!end)
                return false;
            j = *end;
        }
    }
    if (at(j) != u')' && at(j) != u']')
        return false;
    i = j + 1;
    return true;
}

std::optional<Statistic> Reader::ReadStatistic(Index i) const
{
    bool garbled = false;
    const auto symbol = ReadSymbol(i, garbled);
    if (!symbol)
        return std::nullopt;
    Statistic found{{}, false, garbled};
    ScannedResult &result = found.result;
    result.test = symbol->first;
    result.begin = i;
    result.symbolEnd = symbol->second;
    result.spearman =
        result.test == TestKind::R && symbol->second > i + 1 && SubscriptDigit(at(i + 1)) < 0;
    Index j = symbol->second;
    if (SubscriptDigit(at(j)) >= 0) {
        ScannedFigure df{j, j, {}};
        for (; SubscriptDigit(at(j)) >= 0 && j - df.begin <= MostDigits; ++j)
            df.plain += char16_t(u'0' + SubscriptDigit(at(j)));
        df.end = j;
        result.df1 = df;
        found.bracketed = true;
    }
    j = SkipBlanks(j);
    // "F ratio of (1, 168) = 44.51"
    if (result.test == TestKind::F && MatchesWord(j, u"ratio")) {
        j = SkipBlanks(j + 5);
        if (MatchesWord(j, u"of"))
            j = SkipBlanks(j + 2);
    }
    if (!found.bracketed && (at(j) == u'(' || at(j) == u'[')) {
        if (!ReadDegrees(j, result))
            return std::nullopt;
        found.bracketed = true;
        j = SkipBlanks(j);
    } else if (garbled || at(i) == u'G' || at(i) == 0x0394 || result.spearman) {
        // A drawn symbol is read only with its degrees of freedom; G² and changes likewise.
        return std::nullopt;
    }
    const std::optional<Text> comparison = ReadComparison(j, found.bracketed);
    if (!comparison || comparison->size() != 1)
        return std::nullopt;
    result.statisticComparison = *comparison;
    const auto statistic = ReadFigure(SkipBlanks(j), {true, true, false});
    if (!statistic)
        return std::nullopt;
    // "z = 4 12": a figure a converter took apart is no figure.
    if (const Index after = SkipBlanks(statistic->end);
        after > statistic->end && IsDigit(at(after)))
        return std::nullopt;
    result.statistic = *statistic;
    result.end = statistic->end;
    return found;
}

} // namespace textreading

} // namespace engine

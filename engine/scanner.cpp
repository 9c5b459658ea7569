#include "engine/scanner.h"

#include "engine/fastscan.h"
#include "engine/textreader.h"

#include <algorithm>
#include <array>

namespace engine {

using namespace textreading;

namespace {
// The characters at which a p, "ns" or a statistic may start; every other character of a long
// text is passed over with one look into this table.
bool MayStartPiece(char16_t c)
{
    static constexpr std::array<bool, 128> ascii = [] {
        std::array<bool, 128> starts{};
        for (const char s : std::string_view("pPnNtFrzZQxXcCGBv?2"))
            starts[size_t(s)] = true;
        return starts;
    }();
    if (c < 128)
        return ascii[c];
    return c == 0x03C7 || c == 0x03A7 || c == 0x0394 || c == 0xFFFD || (c >= 0xE000 && c <= 0xF8FF);
}

// How far a statistic's or a p's start may stand before its comparison ("χ²(1, N = 1,024) =").
constexpr Index Reach = 160;

// Where the text compares: every statistic and every p has one of these right after its symbol
// (and its brackets), so the text between is never read a character at a time.
std::vector<Index> Comparisons(TextView text)
{
    std::vector<Index> at;
    const char16_t *const chars = text.data();
    const Index size = Index(text.size());
    for (Index i = fastscan::FindMayCompare(chars, 0, size); i < size;
         i = fastscan::FindMayCompare(chars, i + 1, size)) {
        const char16_t c = chars[i];
        // "pb.001", "pN.05": comparisons a PDF font drew as letters.
        if (c == u'b' || c == u'N') {
            if (i > 0 && chars[i - 1] == u'p')
                at.push_back(i);
        } else if (c < 0x80 || c == 0x2264 || c == 0x2265 || c == 0x2A7D || c == 0x2A7E ||
                   c == 0x00BC) {
            at.push_back(i);
        }
    }
    return at;
}

// What stands between two statistics of one list that share a later p: "and", a comma or a
// semicolon, and blanks.
bool JoinedAsList(const Reader &reader, Index from, Index to)
{
    bool word = false;
    for (Index i = from; i < to; ++i) {
        const char16_t c = reader.at(i);
        if (IsBlank(c) || c == u',' || c == u';')
            continue;
        if (!word && reader.MatchesWord(i, u"and") && !IsWordChar(reader.at(i - 1))) {
            word = true;
            i += 2;
            continue;
        }
        return false;
    }
    return true;
}

// Whether only blanks and one comma or semicolon part a statistic from its p.
bool Direct(const Reader &reader, Index from, Index to)
{
    int marks = 0;
    for (Index i = from; i < to; ++i) {
        const char16_t c = reader.at(i);
        if (c == u',' || c == u';')
            ++marks;
        else if (!IsBlank(c))
            return false;
    }
    return marks <= 1;
}

// A p right after a statistic, parted from it by blanks and one comma or semicolon at most.
bool DirectP(const Reader &reader, Index after)
{
    Index at = reader.SkipBlanks(after);
    if (reader.at(at) == u',' || reader.at(at) == u';')
        at = reader.SkipBlanks(at + 1);
    return reader.ReadP(at).has_value();
}

struct Found {
    std::optional<PToken> p;
    Index nextStatistic = -1;
};

// From the end of a statistic to its p: other figures of the same result (d, MSE, SE, a CI)
// may stand between, and, in the forms "t = 2.10, df = 38" and "r = .32, N = 100", its degrees
// of freedom; another test statistic, the sentence's end or a paragraph's end stop the search.
Found FindP(const Reader &reader, const Statistic &statistic, ScannedResult &result)
{
    Found found;
    for (Index j = result.end; j < reader.size() && j < result.end + LookAhead; ++j) {
        if (reader.SentenceEndsAt(j) || reader.ParagraphEndsAt(j))
            break;
        // A semicolon opens a new clause ("t(64) = 2.80; late: b = 0.41, p < .001"), unless
        // the p follows it at once ("F(1, 20) = 5.20; p = .03").
        if (reader.at(j) == u';') {
            const Index next = reader.SkipBlanks(j + 1);
            if (!reader.ReadP(next) && !reader.ReadNotSignificant(next) &&
                !reader.Matches(next, u"df"))
                break;
            continue;
        }
        if (!reader.WordStart(j) || (!MayStartPiece(reader.at(j)) && reader.at(j) != u'd'))
            continue;
        if ((found.p = reader.ReadP(j)))
            return found;
        if (const auto ns = reader.ReadNotSignificant(j)) {
            found.p = PToken{j, *ns, {j, *ns, {}}, PComparison::NotSignificant, Text(u"ns"), false};
            return found;
        }
        const auto given = [&](std::u16string_view name) -> std::optional<ScannedFigure> {
            const Index k = reader.SkipBlanks(j + Index(name.size()));
            if (!reader.MatchesWord(j, name) || reader.at(k) != u'=')
                return std::nullopt;
            return reader.ReadFigure(reader.SkipBlanks(k + 1), {false, true});
        };
        if (!statistic.bracketed && !result.df1.present() && !result.n.present()) {
            if (const auto df = given(u"df")) {
                result.df1 = *df;
                j = df->end - 1;
                continue;
            }
            if (result.test == TestKind::R && reader.at(j) == u'N') {
                if (const auto n = given(u"n")) {
                    result.n = *n;
                    result.dfFromN = true;
                    j = n->end - 1;
                    continue;
                }
            }
        }
        if (const auto next = reader.ReadStatistic(j)) {
            // A correlation without its degrees of freedom is an effect size of this result.
            if (next->result.test == TestKind::R && !next->bracketed)
                continue;
            // A drawn symbol is a statistic only with its p right after it.
            if (next->needsDirectP && !DirectP(reader, next->result.end))
                continue;
            found.nextStatistic = j;
            return found;
        }
    }
    return found;
}

bool Complete(const ScannedResult &result)
{
    // Without its degrees of freedom a statistic gives no p (z needs none; F needs both).
    return result.test == TestKind::Z ||
           (result.test == TestKind::R && result.dfFromN && result.n.present()) ||
           (result.df1.present() && (result.test != TestKind::F || result.df2.present()));
}

Scan ScanWith(TextView text, bool decimalComma, int &commaPs, int &pointPs)
{
    const Reader reader(text, decimalComma);
    Scan scan;
    scan.decimalComma = decimalComma;
    // Statistics in a list that may share a later p ("t(20) = 3.1 and t(20) = 2.9, ps < .01").
    std::vector<ScannedResult> list;
    bool joinedAsList = true;
    const char16_t *const chars = text.data();
    const Index size = Index(text.size());
    const std::vector<Index> anchors = Comparisons(text);
    auto anchor = anchors.begin();
    for (Index i = 0; i < size;) {
        // Only text shortly before a comparison can start a piece: the rest is passed over.
        while (anchor != anchors.end() && *anchor < i)
            ++anchor;
        if (anchor == anchors.end())
            break;
        i = std::max(i, *anchor - Reach);
        // Pieces start at a word's start with one of few characters.
        if (!MayStartPiece(chars[i]) ||
            (i > 0 && (IsWordChar(chars[i - 1]) || chars[i - 1] == u'.'))) {
            ++i;
            continue;
        }
        if (const auto lone = reader.ReadP(i)) {
            ++pointPs;
            scan.loneP.push_back({lone->begin, lone->end});
            list.clear();
            i = lone->end;
            continue;
        }
        const std::optional<Statistic> statistic = reader.ReadStatistic(i);
        if (!statistic) {
            ++i;
            continue;
        }
        ScannedResult result = statistic->result;
        const Found found = FindP(reader, *statistic, result);
        const std::optional<PToken> &p = found.p;
        if (statistic->needsDirectP && !(p && Direct(reader, result.end, p->begin))) {
            ++i;
            continue;
        }
        if (!p) {
            // A list of statistics sharing one p is short; a longer run is no such list.
            if (Complete(result) && found.nextStatistic >= 0 && list.size() < 12) {
                joinedAsList =
                    joinedAsList && JoinedAsList(reader, result.end, found.nextStatistic);
                list.push_back(result);
            } else {
                list.clear();
                joinedAsList = true;
            }
            i = found.nextStatistic >= 0 ? found.nextStatistic : result.end;
            continue;
        }
        ++pointPs;
        const auto withP = [&](ScannedResult r) {
            r.p = p->p;
            r.pComparison = p->comparison;
            r.pComparisonName = p->comparisonName;
            return r;
        };
        // "ps < .01" says that the list shares it; a single bound right after a list joined by
        // "and" and commas does too. A single exact p is the last statistic's alone.
        const bool shared = p->plural || (joinedAsList && p->comparison != PComparison::Equal &&
                                          Direct(reader, result.end, p->begin));
        if (shared)
            for (const ScannedResult &earlier : list)
                scan.results.push_back(withP(earlier));
        list.clear();
        joinedAsList = true;
        if (Complete(result)) {
            result.end = p->end;
            scan.results.push_back(withP(result));
        } else {
            scan.loneP.push_back({p->begin, p->end});
        }
        i = p->end;
    }
    commaPs = reader.commaPs;
    return scan;
}
} // namespace

Scan ScanText(TextView text)
{
    int commaPs = 0, pointPs = 0;
    Scan scan = ScanWith(text, false, commaPs, pointPs);
    // One notation for a whole text: decimal commas where its p values are written so.
    if (commaPs > pointPs) {
        int unused = 0;
        scan = ScanWith(text, true, unused, unused);
    }
    return scan;
}

} // namespace engine

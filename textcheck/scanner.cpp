#include "textcheck/scanner.h"

#include <QChar>
#include <QHash>
#include <algorithm>
#include <string_view>

using namespace Qt::Literals::StringLiterals;

namespace {
// How far a statistic may stand from its p, and how many blanks may part two pieces of one
// result (a line end with an indent included).
constexpr qsizetype LookAhead = 200;
constexpr qsizetype MostBlanks = 24;
// A figure with more digits than this is no statistic, and is not read further.
constexpr qsizetype MostDigits = 40;

bool IsLineEnd(char16_t c)
{
    return c == u'\n' || c == u'\r' || c == 0x2028 || c == 0x2029;
}

bool IsBlank(char16_t c)
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

bool IsMinus(char16_t c)
{
    return c == u'-' || c == 0x2212 || c == 0x2013 || c == 0x2012 || c == 0xFE63 || c == 0xFF0D;
}

bool IsDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

int SuperscriptDigit(char16_t c)
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

bool IsWordChar(char16_t c)
{
    return IsDigit(c) || QChar::isLetter(c) || SuperscriptDigit(c) >= 0;
}

struct FigureRules {
    bool sign = false;
    bool thousands = false;
    bool exponent = false;
    // A comma right after the figure ends it ("F(2,57)"), rather than making it ambiguous.
    bool commaEnds = false;
};

struct PToken {
    qsizetype begin, end;
    ScannedFigure p;
    PComparison comparison;
    QString comparisonName;
    bool plural;
};

struct Statistic {
    ScannedResult result;
    bool bracketed; // its degrees of freedom in brackets, as APA style writes them
};

class Reader {
public:
    explicit Reader(QStringView text) : m_text(text) {}

    char16_t at(qsizetype i) const { return i >= 0 && i < m_text.size() ? m_text[i].unicode() : 0; }
    qsizetype size() const { return m_text.size(); }
    bool WordStart(qsizetype i) const { return !IsWordChar(at(i - 1)) && at(i - 1) != u'.'; }

    qsizetype SkipBlanks(qsizetype i) const
    {
        for (qsizetype n = 0; n < MostBlanks && IsBlank(at(i)); ++n)
            ++i;
        return i;
    }

    // An ASCII word in any case, compared by hand: this runs at many places of a long text.
    bool Matches(qsizetype i, std::u16string_view word) const
    {
        if (i < 0 || i + qsizetype(word.size()) > size())
            return false;
        for (size_t k = 0; k < word.size(); ++k) {
            char16_t c = m_text[i + qsizetype(k)].unicode();
            if (c >= u'A' && c <= u'Z')
                c += u'a' - u'A';
            if (c != word[k])
                return false;
        }
        return true;
    }

    std::optional<ScannedFigure> ReadFigure(qsizetype i, FigureRules rules) const;
    std::optional<PToken> ReadP(qsizetype i) const;
    std::optional<qsizetype> ReadNotSignificant(qsizetype i) const;
    std::optional<Statistic> ReadStatistic(qsizetype i) const;
    bool SentenceEndsAt(qsizetype i) const;
    bool ParagraphEndsAt(qsizetype i) const;

private:
    qsizetype ReadDigits(qsizetype i, QString &plain) const
    {
        const qsizetype first = i;
        while (IsDigit(at(i)) && i - first <= MostDigits)
            plain += QChar(at(i++));
        return i - first;
    }
    bool ReadExponent(qsizetype &i, QString &plain) const;
    std::optional<std::pair<TestKind, qsizetype>> ReadSymbol(qsizetype i) const;
    bool ReadDegrees(qsizetype &i, ScannedResult &result) const;

    QStringView m_text;
};

std::optional<ScannedFigure> Reader::ReadFigure(qsizetype i, FigureRules rules) const
{
    ScannedFigure figure{i, i, {}};
    if (rules.sign && IsMinus(at(i))) {
        figure.plain += u'-';
        ++i;
    }
    const qsizetype whole = ReadDigits(i, figure.plain);
    i += whole;
    // Thousands: groups of exactly three digits ("1,224.08", "N = 1,024").
    if (rules.thousands && whole >= 1 && whole <= 3) {
        while (at(i) == u',' && IsDigit(at(i + 1)) && IsDigit(at(i + 2)) && IsDigit(at(i + 3)) &&
               !IsDigit(at(i + 4))) {
            figure.plain += m_text.mid(i + 1, 3);
            i += 4;
        }
    }
    qsizetype fraction = 0;
    if (at(i) == u'.' && IsDigit(at(i + 1))) {
        figure.plain += u'.';
        fraction = ReadDigits(++i, figure.plain);
        i += fraction;
    }
    if (whole + fraction == 0 || whole > MostDigits || fraction > MostDigits)
        return std::nullopt;
    if (rules.exponent && !ReadExponent(i, figure.plain))
        return std::nullopt;
    // "2,10", "1.2.3" and "2.10a" are not figures of this notation: better none than a wrong one.
    if ((at(i) == u',' && IsDigit(at(i + 1)) && !rules.commaEnds) ||
        (at(i) == u'.' && IsDigit(at(i + 1))) || QChar::isLetter(at(i)) || IsDigit(at(i)))
        return std::nullopt;
    figure.end = i;
    return figure;
}

// "e-6", "E-06", " × 10⁻⁶", " x 10-6", "*10^-6": false where a written exponent is broken.
bool Reader::ReadExponent(qsizetype &i, QString &plain) const
{
    qsizetype j = i;
    QString sign, digits;
    if ((at(j) == u'e' || at(j) == u'E') &&
        (IsDigit(at(j + 1)) || IsMinus(at(j + 1)) || at(j + 1) == u'+')) {
        ++j;
        if (IsMinus(at(j)) || at(j) == u'+')
            sign = IsMinus(at(j++)) ? u"-"_s : QString();
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
    if (IsMinus(at(j)) || at(j) == 0x207B) {
        sign = u"-"_s;
        ++j;
    } else if (at(j) == u'+' || at(j) == 0x207A) {
        ++j;
    }
    for (; SuperscriptDigit(at(j)) >= 0 && digits.size() < 4; ++j)
        digits += QChar(u'0' + SuperscriptDigit(at(j)));
    if (digits.isEmpty())
        j += ReadDigits(j, digits);
    // "× 10" promises an exponent: without one the figure is broken, not 36 times smaller.
    if (digits.isEmpty() || digits.size() > 3)
        return false;
    i = j;
    plain += u'e' + sign + digits;
    return true;
}

std::optional<PToken> Reader::ReadP(qsizetype i) const
{
    if ((at(i) != u'p' && at(i) != u'P') || !WordStart(i))
        return std::nullopt;
    qsizetype j = i + 1;
    bool plural = false;
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
    }
    if (IsWordChar(at(j)))
        return std::nullopt;
    j = SkipBlanks(j);
    QString name;
    const char16_t c = at(j), next = at(j + 1);
    if ((c == u'<' || c == u'>') && next == u'=') {
        name = QString(QChar(c)) + u'=';
        j += 2;
    } else if (c == u'=' && (next == u'<' || next == u'>')) {
        name = QString(QChar(next)) + u'=';
        j += 2;
    } else if (c == u'=' || c == u'<' || c == u'>') {
        name = QChar(c);
        ++j;
    } else if (c == 0x2264 || c == 0x2A7D) {
        name = u"<="_s;
        ++j;
    } else if (c == 0x2265 || c == 0x2A7E) {
        name = u">="_s;
        ++j;
    } else {
        return std::nullopt;
    }
    const std::optional<ScannedFigure> p = ReadFigure(SkipBlanks(j), {true, false, true});
    if (!p)
        return std::nullopt;
    static const QHash<QString, PComparison> comparisons = {{u"="_s, PComparison::Equal},
                                                            {u"<"_s, PComparison::Less},
                                                            {u">"_s, PComparison::Greater},
                                                            {u"<="_s, PComparison::LessOrEqual},
                                                            {u">="_s, PComparison::GreaterOrEqual}};
    return PToken{i, p->end, *p, comparisons.value(name), name, plural};
}

// "ns", "NS", "n.s." as a word of its own.
std::optional<qsizetype> Reader::ReadNotSignificant(qsizetype i) const
{
    if (!WordStart(i))
        return std::nullopt;
    for (const QStringView form : {u"n.s.", u"n. s.", u"n.s", u"ns"}) {
        const qsizetype end = i + form.size();
        if (m_text.mid(std::min(i, size())).startsWith(form) ||
            (form == u"ns" && at(i) == u'N' && at(i + 1) == u'S')) {
            if (!QChar::isLetter(at(end)) && !IsDigit(at(end)))
                return end;
        }
    }
    return std::nullopt;
}

// A statistic's symbol at a word's start: what test it names and where the symbol ends.
std::optional<std::pair<TestKind, qsizetype>> Reader::ReadSymbol(qsizetype i) const
{
    const char16_t c = at(i);
    // Most characters start no symbol: tell them first, cheaply.
    static constexpr std::u16string_view starts = u"tFrzZQxXcC\u03c7\u03a7";
    if (starts.find(c) == std::u16string_view::npos || !WordStart(i))
        return std::nullopt;
    const auto ends = [this](qsizetype j) { return !IsWordChar(at(j)); };
    // "χ2", "χ²", "χ 2", "X2", "Chi2", "chi-square": the 2 may stand apart by a blank.
    const auto chiSquare = [&](qsizetype j, bool twoNeeded) -> std::optional<qsizetype> {
        qsizetype k = j;
        if (IsBlank(at(k)) && !IsLineEnd(at(k)))
            ++k;
        if (at(k) == u'^')
            ++k;
        if (at(k) == u'2' || at(k) == 0x00B2)
            return ends(k + 1) ? std::optional<qsizetype>(k + 1) : std::nullopt;
        return !twoNeeded && ends(j) ? std::optional<qsizetype>(j) : std::nullopt;
    };
    switch (c) {
    case u't':
    case u'F':
    case u'r':
    case u'z':
    case u'Z':
        if (!ends(i + 1))
            return std::nullopt;
        return std::pair{c == u't'   ? TestKind::T
                         : c == u'F' ? TestKind::F
                         : c == u'r' ? TestKind::R
                                     : TestKind::Z,
                         i + 1};
    case u'Q': {
        // Q, Qb, QT, Q-within, Q_between: a heterogeneity Q and its parts.
        qsizetype j = i + 1;
        if (at(j) == u'-' || at(j) == u'_')
            ++j;
        const qsizetype letters = j;
        while (QChar::isLetter(at(j)) && j - letters < 12)
            ++j;
        if (j == letters && j != i + 1)
            return std::nullopt;
        // Longer names only where they name a part of Q ("Quality(3)" is no statistic).
        const QStringView suffix = m_text.mid(letters, j - letters);
        static const QStringView parts[] = {u"within", u"between", u"total", u"residual",
                                            u"error",  u"model",   u"resid"};
        if (suffix.size() > 3 && std::none_of(std::begin(parts), std::end(parts), [&](auto part) {
                return suffix.compare(part, Qt::CaseInsensitive) == 0;
            }))
            return std::nullopt;
        return ends(j) ? std::optional(std::pair{TestKind::Q, j}) : std::nullopt;
    }
    case 0x03C7:
    case 0x03A7:
        if (const auto end = chiSquare(i + 1, false))
            return std::pair{TestKind::ChiSquare, *end};
        return std::nullopt;
    case u'X':
    case u'x':
        if (const auto end = chiSquare(i + 1, true); end && *end == i + 2)
            return std::pair{TestKind::ChiSquare, *end};
        return std::nullopt;
    default:
        break;
    }
    if (Matches(i, u"chi")) {
        qsizetype j = i + 3;
        if ((at(j) == u'-' || at(j) == u' ') && Matches(j + 1, u"square")) {
            j += 7;
            if (at(j) == u'd')
                ++j;
        }
        if (const auto end = chiSquare(j, false))
            return std::pair{TestKind::ChiSquare, *end};
    }
    return std::nullopt;
}

// The bracket after the symbol: "(38)", "[2, 57]", "(1, N = 1,024)", "(37.52)".
bool Reader::ReadDegrees(qsizetype &i, ScannedResult &result) const
{
    const TestKind test = result.test;
    if (test == TestKind::Z)
        return false;
    qsizetype j = SkipBlanks(i + 1);
    if (Matches(j, u"df")) {
        j = SkipBlanks(j + 2);
        if (at(j) != u'=')
            return false;
        j = SkipBlanks(j + 1);
    }
    const bool oneOfSeveral =
        test == TestKind::F || test == TestKind::ChiSquare || test == TestKind::Q;
    const auto df1 = ReadFigure(j, {false, !oneOfSeveral, false, oneOfSeveral});
    if (!df1)
        return false;
    result.df1 = *df1;
    j = SkipBlanks(df1->end);
    if (test == TestKind::F) {
        if (at(j) != u',' && at(j) != u';' && at(j) != u'/')
            return false;
        const auto df2 = ReadFigure(SkipBlanks(j + 1), {false, true, false});
        if (!df2)
            return false;
        result.df2 = *df2;
        j = SkipBlanks(df2->end);
    } else if (test == TestKind::ChiSquare || test == TestKind::Q) {
        qsizetype k = j;
        if (at(k) == u',' || at(k) == u';')
            k = SkipBlanks(k + 1);
        if ((at(k) == u'N' || at(k) == u'n') && !IsWordChar(at(k + 1))) {
            k = SkipBlanks(k + 1);
            if (at(k) != u'=')
                return false;
            const auto n = ReadFigure(SkipBlanks(k + 1), {false, true, false});
            if (!n)
                return false;
            result.n = *n;
            j = SkipBlanks(n->end);
        }
    }
    if (at(j) != u')' && at(j) != u']')
        return false;
    i = j + 1;
    return true;
}

std::optional<Statistic> Reader::ReadStatistic(qsizetype i) const
{
    const auto symbol = ReadSymbol(i);
    if (!symbol)
        return std::nullopt;
    Statistic found{{}, false};
    ScannedResult &result = found.result;
    result.test = symbol->first;
    result.begin = i;
    result.symbolEnd = symbol->second;
    qsizetype j = SkipBlanks(symbol->second);
    if (at(j) == u'(' || at(j) == u'[') {
        if (!ReadDegrees(j, result))
            return std::nullopt;
        found.bracketed = true;
        j = SkipBlanks(j);
    }
    const char16_t comparison = at(j);
    if (comparison != u'=' && comparison != u'<' && comparison != u'>')
        return std::nullopt;
    result.statisticComparison = QChar(comparison);
    const auto statistic = ReadFigure(SkipBlanks(j + 1), {true, true, false});
    if (!statistic)
        return std::nullopt;
    result.statistic = *statistic;
    result.end = statistic->end;
    return found;
}

bool Reader::SentenceEndsAt(qsizetype i) const
{
    const char16_t c = at(i);
    if (c != u'.' && c != u'!' && c != u'?')
        return false;
    qsizetype j = i + 1;
    if (at(j) == u'"' || at(j) == u')' || at(j) == 0x201D)
        ++j;
    if (j >= size() || ParagraphEndsAt(j))
        return true;
    if (!IsBlank(at(j)))
        return false;
    const char16_t after = at(SkipBlanks(j));
    return QChar::isUpper(after) || after == 0;
}

bool Reader::ParagraphEndsAt(qsizetype i) const
{
    if (at(i) == 0x2029)
        return true;
    if (!IsLineEnd(at(i)))
        return false;
    qsizetype j = i + 1;
    if (at(i) == u'\r' && at(j) == u'\n')
        ++j;
    while (at(j) == u' ' || at(j) == u'\t')
        ++j;
    return IsLineEnd(at(j));
}
} // namespace

Scan ScanText(QStringView text)
{
    const Reader reader(text);
    Scan scan;
    QList<ScannedResult> pending; // statistics that may share a later "ps"
    for (qsizetype i = 0; i < reader.size();) {
        if (const auto lone = reader.ReadP(i)) {
            scan.loneP.append({lone->begin, lone->end});
            i = lone->end;
            continue;
        }
        std::optional<Statistic> statistic = reader.ReadStatistic(i);
        if (!statistic) {
            ++i;
            continue;
        }
        ScannedResult result = statistic->result;
        // Between the statistic and its p: other figures of the same result (d, MSE, a CI), or,
        // in the form "t = 2.10, df = 38", its degrees of freedom.
        std::optional<PToken> p;
        qsizetype nextStatistic = -1, j = result.end;
        for (; j < reader.size() && j < result.end + LookAhead; ++j) {
            if (reader.SentenceEndsAt(j) || reader.ParagraphEndsAt(j))
                break;
            if (!reader.WordStart(j))
                continue;
            if ((p = reader.ReadP(j)))
                break;
            if (const auto ns = reader.ReadNotSignificant(j)) {
                p = PToken{j, *ns, {j, *ns, {}}, PComparison::NotSignificant, u"ns"_s, false};
                break;
            }
            if (!statistic->bracketed && !result.df1.present() && reader.Matches(j, u"df")) {
                qsizetype k = reader.SkipBlanks(j + 2);
                if (reader.at(k) == u'=') {
                    if (auto df = reader.ReadFigure(reader.SkipBlanks(k + 1), {false, true})) {
                        result.df1 = *df;
                        j = df->end - 1;
                    }
                }
                continue;
            }
            if (const auto next = reader.ReadStatistic(j); next && next->bracketed) {
                nextStatistic = j;
                break;
            }
        }
        // Without its degrees of freedom a statistic gives no p (z needs none; F needs both).
        const bool complete =
            result.test == TestKind::Z ||
            (result.df1.present() && (result.test != TestKind::F || result.df2.present()));
        if (!p) {
            // A chain of statistics sharing one "ps" is short; a longer run is no such chain.
            if (complete && nextStatistic >= 0 && pending.size() < 12)
                pending.append(result);
            else
                pending.clear();
            i = nextStatistic >= 0 ? nextStatistic : result.end;
            continue;
        }
        const auto withP = [&](ScannedResult r) {
            r.p = p->p;
            r.pComparison = p->comparison;
            r.pComparisonName = p->comparisonName;
            return r;
        };
        if (p->plural)
            for (const ScannedResult &earlier : std::as_const(pending))
                scan.results.append(withP(earlier));
        pending.clear();
        if (complete) {
            result.end = p->end;
            scan.results.append(withP(result));
        } else {
            scan.loneP.append({p->begin, p->end});
        }
        i = p->end;
    }
    return scan;
}

TextStructure ReadStructure(QStringView text)
{
    const Reader reader(text);
    TextStructure structure;
    for (qsizetype i = 0; i < reader.size(); ++i) {
        if (reader.ParagraphEndsAt(i))
            structure.paragraphEnds.append(i);
        else if (reader.SentenceEndsAt(i))
            structure.sentenceEnds.append(i);
    }
    // "one-tailed", "one sided", "1-tailed", "directional"; "two-tailed", "non-directional".
    for (qsizetype at = 0; at < reader.size(); ++at) {
        // Two letters tell the three words apart before any is compared whole.
        const char16_t first = reader.at(at) | 0x20, second = reader.at(at + 1) | 0x20;
        if (!(first == u't' && second == u'a') && !(first == u's' && second == u'i') &&
            !(first == u'd' && second == u'i'))
            continue;
        for (const std::u16string_view word : {u"tailed", u"sided", u"directional"}) {
            if (!reader.Matches(at, word))
                continue;
            qsizetype before = at;
            if (before > 0 && (IsMinus(reader.at(before - 1)) || reader.at(before - 1) == 0x2011 ||
                               reader.at(before - 1) == u' '))
                --before;
            const QStringView lead =
                text.mid(std::max<qsizetype>(0, before - 3), std::min<qsizetype>(3, before));
            int tails = 0;
            if (word == u"directional")
                tails = lead.endsWith(u"non", Qt::CaseInsensitive) ||
                                lead.endsWith(u"bi", Qt::CaseInsensitive)
                            ? 2
                            : 1;
            else if (lead.endsWith(u"one", Qt::CaseInsensitive) || lead.endsWith(u"1"))
                tails = 1;
            else if (lead.endsWith(u"two", Qt::CaseInsensitive) || lead.endsWith(u"2"))
                tails = 2;
            if (tails)
                structure.tailsMentions.append({at, tails});
        }
    }
    std::sort(structure.tailsMentions.begin(), structure.tailsMentions.end(),
              [](const TailsMention &a, const TailsMention &b) { return a.at < b.at; });
    return structure;
}

#include "engine/checkjson.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace engine {
namespace {
// The answer as it grows: a vector's appends are inline, where the browser's library keeps a
// string's out of line, one call for each character.
struct Out {
    std::vector<char> bytes;
    Out &operator+=(char c)
    {
        bytes.push_back(c);
        return *this;
    }
    Out &operator+=(std::string_view text)
    {
        bytes.insert(bytes.end(), text.begin(), text.end());
        return *this;
    }
};

void Whole(Out &out, long long value)
{
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out += std::string_view(digits, size_t(end - digits));
}

void String(Out &out, TextView text)
{
    out += '"';
    const auto plain = [&](size_t at) {
        return text[at] >= 0x20 && text[at] < 0x80 && text[at] != u'"' && text[at] != u'\\';
    };
    for (size_t i = 0; i < text.size(); ++i) {
        if (plain(i)) {
            // Characters that need no escape go in a run at once: appending one by one is the
            // writer's whole cost on a long text.
            size_t end = i;
            while (end < text.size() && plain(end))
                ++end;
            for (size_t k = i; k < end; ++k)
                out.bytes.push_back(char(text[k]));
            i = end - 1;
            continue;
        }
        if (text[i] >= 0x80) {
            // A run beyond ASCII goes as UTF-8 in one piece, surrogate pairs whole.
            size_t end = i;
            while (end < text.size() && text[end] >= 0x80)
                ++end;
            out += Utf8(text.substr(i, end - i));
            i = end - 1;
            continue;
        }
        const char c = char(text[i]);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", unsigned(c));
                out += escaped;
            } else {
                out += c;
            }
        }
    }
    out += '"';
}

// The shortest form that reads back as the same double; JSON has no NaN or infinity, so a
// figure that is not finite is as good as absent.
void Number(Out &out, std::optional<double> value)
{
    if (!value || !std::isfinite(*value)) {
        out += "null";
        return;
    }
    // 15 digits give the shortest form wherever one of 15 or fewer reads back (%g drops the
    // trailing zeros); 17 always read back.
    std::string digits = PrintDouble(*value, 'g', 15);
    if (ParseDouble(digits) != *value)
        digits = PrintDouble(*value, 'g', 17);
    out += digits;
}

void TextOrNull(Out &out, const Text &text)
{
    if (text.empty())
        out += "null";
    else
        String(out, text);
}

void Key(Out &out, const char *key)
{
    out += '"';
    out += key;
    out += "\":";
}

void Place(Out &out, const TextPlace &place, const Text &quote)
{
    Key(out, "line");
    Whole(out, place.line);
    out += ',';
    Key(out, "column");
    Whole(out, place.column);
    out += ',';
    Key(out, "offset");
    Whole(out, place.offset);
    out += ',';
    Key(out, "length");
    Whole(out, place.length);
    out += ',';
    Key(out, "quote");
    String(out, quote);
}

void Finding(Out &out, const FigureFinding &finding)
{
    out += '{';
    Place(out, finding.place, finding.quote);
    out += ',';
    Key(out, "kind");
    String(out, FigureKindName(finding.kind));
    out += ',';
    Key(out, "verdict");
    String(out, FigureVerdictName(finding.verdict));
    out += ',';
    Key(out, "message");
    TextOrNull(out, finding.message);
    out += '}';
}

void Result(Out &out, const FoundResult &result, bool figures)
{
    out += '{';
    Place(out, result.place, result.quote);
    const auto field = [&](const char *key) {
        out += ',';
        Key(out, key);
    };
    field("test");
    String(out, TestName(result.test));
    if (figures) {
        field("df1");
        Number(out, result.df1);
        field("df2");
        Number(out, result.df2);
        field("n");
        Number(out, result.n);
    }
    field("statisticComparison");
    TextOrNull(out, result.statisticComparison);
    field("statistic");
    TextOrNull(out, result.statistic);
    field("pComparison");
    TextOrNull(out, result.pComparison);
    field("p");
    TextOrNull(out, result.p);
    if (figures) {
        field("computedP");
        Number(out, result.computedP);
        field("computedPRange");
        const bool range = result.computedPLow && result.computedPHigh &&
                           std::isfinite(*result.computedPLow) &&
                           std::isfinite(*result.computedPHigh);
        if (range) {
            out += '[';
            Number(out, result.computedPLow);
            out += ',';
            Number(out, result.computedPHigh);
            out += ']';
        } else {
            out += "null";
        }
    }
    field("tails");
    Whole(out, result.tails);
    field("verdict");
    String(out, VerdictName(result.verdict));
    field("message");
    TextOrNull(out, result.message);
    field("findings");
    out += '[';
    for (size_t i = 0; i < result.findings.size(); ++i) {
        if (i)
            out += ',';
        Finding(out, result.findings[i]);
    }
    out += "]}";
}
} // namespace

std::string CheckJson(const TextCheck &check, const Text &totalsLine, const Text &copyPlain,
                      const Text &copyHtml, bool figures)
{
    Out out;
    out.bytes.reserve(1024 + 2 * (copyPlain.size() + copyHtml.size()));
    out += '{';
    Key(out, "pValuesWithoutStatistic");
    Whole(out, check.pValuesWithoutStatistic.size());
    out += ',';
    Key(out, "results");
    out += '[';
    for (size_t i = 0; i < check.results.size(); ++i) {
        if (i)
            out += ',';
        Result(out, check.results[i], figures);
    }
    out += "],";
    Key(out, "totalsLine");
    String(out, totalsLine);
    out += ',';
    Key(out, "copyPlain");
    String(out, copyPlain);
    out += ',';
    Key(out, "copyHtml");
    String(out, copyHtml);
    out += '}';
    return std::string(out.bytes.begin(), out.bytes.end());
}

} // namespace engine

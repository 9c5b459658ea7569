#include "engine/text.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace engine {

Text Ascii(std::string_view ascii)
{
    return Text(ascii.begin(), ascii.end());
}

std::string Narrow(TextView text)
{
    std::string narrow;
    narrow.reserve(text.size());
    for (const char16_t c : text)
        narrow += c < 0x80 ? char(c) : '?';
    return narrow;
}

std::string Utf8(TextView text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += char(0xE0 | (c >> 12));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xF0 | (c >> 18));
            out += char(0x80 | ((c >> 12) & 0x3F));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

Text Utf16(std::string_view utf8)
{
    Text out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        const unsigned char b = utf8[i];
        const int extra = b < 0x80         ? 0
                          : (b >> 5) == 6  ? 1
                          : (b >> 4) == 14 ? 2
                          : (b >> 3) == 30 ? 3
                                           : -1;
        char32_t c = extra == 0 ? b : extra == 1 ? b & 0x1F : extra == 2 ? b & 0x0F : b & 0x07;
        bool valid = extra >= 0 && i + extra < utf8.size() + (extra == 0 ? 1 : 0);
        for (int k = 1; valid && k <= extra; ++k) {
            const unsigned char next = utf8[i + k];
            valid = (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3F);
        }
        if (!valid) {
            out += char16_t(0xFFFD);
            ++i;
            continue;
        }
        i += size_t(extra) + 1;
        if (c >= 0x10000) {
            c -= 0x10000;
            out += char16_t(0xD800 + (c >> 10));
            out += char16_t(0xDC00 + (c & 0x3FF));
        } else {
            out += char16_t(c);
        }
    }
    return out;
}

Text Number(long long value)
{
    return Ascii(std::to_string(value));
}

bool Contains(TextView text, char16_t c)
{
    return text.find(c) != TextView::npos;
}

Text Replaced(TextView text, char16_t from, char16_t to)
{
    Text out(text);
    for (char16_t &c : out)
        if (c == from)
            c = to;
    return out;
}

TextView TrimSpaces(TextView text)
{
    size_t first = 0, last = text.size();
    while (first < last && text[first] == u' ')
        ++first;
    while (last > first && text[last - 1] == u' ')
        --last;
    return text.substr(first, last - first);
}

std::string PrintDouble(double value, char format, int precision)
{
#if defined(__EMSCRIPTEN__)
    // This toolchain's library has no floating to_chars, and in the browser the locale is C.
    const char *const pattern = format == 'f' ? "%.*f" : "%.*g";
    const int size = std::snprintf(nullptr, 0, pattern, precision, value);
    std::string out(size_t(size) + 1, '\0');
    std::snprintf(out.data(), out.size(), pattern, precision, value);
    out.resize(size_t(size));
    return out;
#else
    char buffer[512];
    const auto [end, error] = std::to_chars(
        buffer, buffer + sizeof buffer, value,
        format == 'f' ? std::chars_format::fixed : std::chars_format::general, precision);
    return error == std::errc() ? std::string(buffer, end) : std::string("nan");
#endif
}

namespace {
// Every power of ten a double holds exactly.
constexpr double Powers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                             1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Clinger's fast path: up to 15 significant digits are a whole number a double holds exactly, and
// so is each power of ten up to 1e22, so one correctly rounded multiplication or division gives
// the nearest double, as a full reading would. Nearly every figure a text holds takes it; the
// browser's C library reads the others in software long doubles, slowly.
std::optional<double> QuickDouble(std::string_view ascii)
{
    size_t i = 0;
    const bool negative = i < ascii.size() && ascii[i] == '-';
    if (i < ascii.size() && (ascii[i] == '-' || ascii[i] == '+'))
        ++i;
    const auto digit = [&](size_t at) {
        return at < ascii.size() && ascii[at] >= '0' && ascii[at] <= '9';
    };
    unsigned long long mantissa = 0;
    int significant = 0, scale = 0, digits = 0;
    const auto take = [&](char c) {
        if (mantissa == 0 && c == '0')
            return;
        mantissa = mantissa * 10 + unsigned(c - '0');
        ++significant;
    };
    for (; digit(i); ++i, ++digits)
        take(ascii[i]);
    if (i < ascii.size() && ascii[i] == '.')
        for (++i; digit(i); ++i, ++digits) {
            take(ascii[i]);
            --scale;
        }
    if (digits == 0 || significant > 15)
        return std::nullopt;
    if (i < ascii.size() && (ascii[i] == 'e' || ascii[i] == 'E')) {
        ++i;
        const bool down = i < ascii.size() && ascii[i] == '-';
        if (i < ascii.size() && (ascii[i] == '-' || ascii[i] == '+'))
            ++i;
        if (!digit(i))
            return std::nullopt;
        int exponent = 0;
        for (; digit(i); ++i)
            if ((exponent = exponent * 10 + (ascii[i] - '0')) > 1000)
                return std::nullopt;
        scale += down ? -exponent : exponent;
    }
    if (i != ascii.size())
        return std::nullopt;
    double value = double(mantissa);
    if (mantissa != 0) {
        if (scale < -22 || scale > 22)
            return std::nullopt;
        value = scale < 0 ? value / Powers[-scale] : value * Powers[scale];
    }
    return negative ? -value : value;
}

// FixedDecimal without printf where the value times 10^decimals is below 2^52: the product and
// its rounding error (by fma) are the exact value, so a tie is told exactly, as the exact
// expansion tells it.
std::optional<std::string> QuickFixed(double value, int decimals)
{
    if (decimals < 0 || decimals > 22)
        return std::nullopt;
    const double magnitude = std::abs(value);
    const double scaled = magnitude * Powers[decimals];
    if (!(scaled < 4503599627370496.0))
        return std::nullopt;
    const double error = std::fma(magnitude, Powers[decimals], -scaled);
    const double whole = std::floor(scaled);
    const bool up = scaled - whole - 0.5 >= -error;
    std::string digits = std::to_string(static_cast<unsigned long long>(whole) + (up ? 1 : 0));
    if (decimals > 0) {
        if (digits.size() <= size_t(decimals))
            digits.insert(0, size_t(decimals) + 1 - digits.size(), '0');
        digits.insert(digits.size() - size_t(decimals), 1, '.');
    }
    if (value < 0)
        digits.insert(0, 1, '-');
    return digits;
}
} // namespace

std::optional<double> ParseDouble(std::string_view ascii)
{
    if (const std::optional<double> quick = QuickDouble(ascii))
        return quick;
    double value = 0;
#if defined(__EMSCRIPTEN__)
    const std::string copy(ascii);
    char *end = nullptr;
    value = std::strtod(copy.c_str(), &end);
    if (end != copy.c_str() + copy.size())
        return std::nullopt;
#else
    // from_chars takes no leading plus.
    if (!ascii.empty() && ascii.front() == '+' && (ascii.size() < 2 || ascii[1] != '-'))
        ascii.remove_prefix(1);
    const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (error != std::errc() || end != ascii.data() + ascii.size())
        return std::nullopt;
#endif
    if (ascii.empty() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string FixedDecimal(double value, int decimals)
{
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return value < 0 ? "-inf" : "inf";
    if (value == 0)
        value = 0; // no "-0"
    if (std::optional<std::string> quick = QuickFixed(value, decimals))
        return *quick;
    // The exact expansion well beyond the last kept decimal, then rounded half away from zero:
    // printf rounds ties to even, which would write 0.125 as "0.12".
    const int extra = 25;
    std::string digits = PrintDouble(value, 'f', decimals + extra);
    const size_t point = digits.find('.');
    const bool roundUp = digits[point + 1 + size_t(decimals)] >= '5';
    digits.resize(decimals > 0 ? point + 1 + size_t(decimals) : point);
    if (roundUp) {
        size_t i = digits.size();
        while (i > 0) {
            --i;
            if (digits[i] == '.')
                continue;
            if (digits[i] == '-')
                break;
            if (digits[i] == '9') {
                digits[i] = '0';
                if (i == 0 || digits[i - 1] == '-') {
                    digits.insert(i, 1, '1');
                    break;
                }
                continue;
            }
            ++digits[i];
            break;
        }
    }
    return digits;
}

std::optional<double> ReadDecimal(TextView text, char16_t point)
{
    std::string plain;
    size_t i = 0;
    const auto digit = [&](size_t at) {
        return at < text.size() && text[at] >= u'0' && text[at] <= u'9';
    };
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        plain += char(text[i++]);
    size_t whole = 0, fraction = 0;
    for (; digit(i); ++i, ++whole)
        plain += char(text[i]);
    if (i < text.size() && text[i] == point) {
        plain += '.';
        for (++i; digit(i); ++i, ++fraction)
            plain += char(text[i]);
    }
    if (whole + fraction == 0)
        return std::nullopt;
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        plain += 'e';
        ++i;
        if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
            plain += char(text[i++]);
        if (!digit(i))
            return std::nullopt;
        for (; digit(i); ++i)
            plain += char(text[i]);
    }
    if (i != text.size())
        return std::nullopt;
    return ParseDouble(plain);
}

} // namespace engine

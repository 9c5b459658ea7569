#pragma once

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The engine reads and writes UTF-16, so that every place it gives is in the code units that
// the windows' strings and the browser's count.

namespace engine {

using Text = std::u16string;
using TextView = std::u16string_view;
using Index = std::ptrdiff_t;

bool IsUnicodeLetter(char16_t c);
bool IsUnicodeUpper(char16_t c);
bool IsFormatCharacter(char16_t c);
bool IsUnicodeDigit(char16_t c);
bool IsUnicodeSpace(char16_t c);

// ASCII text as UTF-16, and back (anything beyond ASCII as "?").
Text Ascii(std::string_view ascii);
std::string Narrow(TextView text);
// UTF-8 for output; a lone surrogate becomes U+FFFD.
std::string Utf8(TextView text);
Text Utf16(std::string_view utf8);

// A whole number in decimal digits.
Text Number(long long value);

// The part of a text from `begin`, `length` long (to its end where negative), clamped to it.
// Inline: the readers take a piece at nearly every place they look at.
inline TextView Mid(TextView text, Index begin, Index length = -1)
{
    const Index size = Index(text.size());
    if (begin < 0) {
        if (length >= 0)
            length = std::max<Index>(0, length + begin);
        begin = 0;
    }
    if (begin >= size)
        return {};
    if (length < 0 || length > size - begin)
        length = size - begin;
    return text.substr(size_t(begin), size_t(length));
}
bool Contains(TextView text, char16_t c);
Text Replaced(TextView text, char16_t from, char16_t to);
// Without U+0020 at either end (tabs and inner blanks stay).
TextView TrimSpaces(TextView text);

// Numbers in C's notation whatever locale the process runs in (a program that takes the user's
// locale would otherwise write and read "0,5"): printf's 'f' or 'g' with `precision`; a whole
// ASCII text as a finite number.
std::string PrintDouble(double value, char format, int precision);
std::optional<double> ParseDouble(std::string_view ascii);

// `value` with `decimals` decimals and a point, ties rounded away from zero as the windows'
// formats round them, a zero without a sign.
std::string FixedDecimal(double value, int decimals);
// A whole text as a finite number with `point` as its decimal mark: a sign, digits, a fraction,
// an exponent ("5E-2"); no blanks, no group separators.
std::optional<double> ReadDecimal(TextView text, char16_t point);

} // namespace engine

#include "engine/rounding.h"

#include <algorithm>
#include <cmath>

namespace engine {

std::optional<TypedFigure> ReadFigure(TextView text, const Notation &notation)
{
    const std::optional<double> value = notation.Read(text);
    if (!value)
        return std::nullopt;
    // The last written decimal sets the unit: "3.37" is 3.365 to 3.375, "2E-3" 0.0015 to 0.0025.
    const TextView trimmed = TrimSpaces(text);
    const size_t e = trimmed.find_first_of(u"eE");
    const TextView mantissa = e == TextView::npos ? trimmed : trimmed.substr(0, e);
    const size_t point = mantissa.find(notation.DecimalPoint());
    const Index decimals = point == TextView::npos ? 0 : Index(mantissa.size() - point - 1);
    const double exponent =
        e == TextView::npos ? 0 : notation.Read(trimmed.substr(e + 1)).value_or(0);
    const double half = 0.5 * std::pow(10.0, exponent - double(decimals));
    return TypedFigure{*value, half};
}

bool InExponentForm(TextView text)
{
    return text.find_first_of(u"eE") != TextView::npos;
}

std::optional<Interval> Rounded(TextView text, const Notation &notation)
{
    const std::optional<TypedFigure> figure = ReadFigure(text, notation);
    if (!figure)
        return std::nullopt;
    return Interval{figure->value - figure->half, figure->value + figure->half};
}

std::optional<Interval> RoundedP(TextView text, const Notation &notation)
{
    const std::optional<TypedFigure> figure = ReadFigure(text, notation);
    if (!figure)
        return std::nullopt;
    // No p is exactly 0, and p is 1 only for a statistic of 0: a p of "0" or "1" says just that,
    // not "up to .5".
    if (figure->half >= 0.5)
        return Interval{figure->value, figure->value};
    return Interval{std::max(0.0, figure->value - figure->half),
                    std::min(1.0, figure->value + figure->half)};
}

bool Overlap(Interval a, Interval b)
{
    return a.lo <= b.hi && b.lo <= a.hi;
}

Interval Magnitude(Interval x)
{
    if (x.lo <= 0 && x.hi >= 0)
        return {0, std::max(-x.lo, x.hi)};
    return {std::min(std::abs(x.lo), std::abs(x.hi)), std::max(std::abs(x.lo), std::abs(x.hi))};
}

} // namespace engine

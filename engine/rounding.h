#pragma once

#include "engine/notation.h"

#include <optional>

// The rounding interval a written figure stands for.

namespace engine {

// A figure with k decimals stands for any value within half a unit of its last decimal.
struct Interval {
    double lo, hi;
};
std::optional<Interval> Rounded(TextView text, const Notation &notation);
// The same for a written p, within 0 to 1, except that a p written as a whole number is exact.
std::optional<Interval> RoundedP(TextView text, const Notation &notation);

bool Overlap(Interval a, Interval b);
// The range of |x| for x in the interval.
Interval Magnitude(Interval x);

// A written figure's value and half the unit of its last written digit.
struct TypedFigure {
    double value, half;
};
// None where the text is not a number in the notation.
std::optional<TypedFigure> ReadFigure(TextView text, const Notation &notation);
// Whether a figure is written in E notation, as "2E-3".
bool InExponentForm(TextView text);

} // namespace engine

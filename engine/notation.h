#pragma once

#include "engine/text.h"

#include <optional>

// How figures are read and written: the manuscripts' notations here, a user's regional format in
// the windows (which lend theirs to the same formats and judgements).

namespace engine {

class Notation {
public:
    virtual ~Notation() = default;
    virtual Text DecimalPoint() const = 0;
    virtual Text ZeroDigit() const = 0;
    virtual Text NegativeSign() const = 0;
    // `value` with `decimals` decimals, without group separators.
    virtual Text Fixed(double value, int decimals) const = 0;
    // A whole text as a finite number: blanks (U+0020) around it, no group separators.
    virtual std::optional<double> Read(TextView text) const = 0;
};

// English manuscripts' notation (".042", "-2.10"), and that of texts with decimal commas
// (",042", "-2,10").
const Notation &PointNotation();
const Notation &CommaNotation();

} // namespace engine

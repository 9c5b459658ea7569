#pragma once

#include <QLocale>
#include <QString>
#include <optional>

// The rounding interval a typed figure stands for.

// A typed figure with k decimals stands for any value within half a unit of its last decimal.
struct Interval {
    double lo, hi;
};
std::optional<Interval> Rounded(const QString &text, const QLocale &locale = QLocale());
// The same for a typed p, within 0 to 1, except that a p typed as a whole number is exact.
std::optional<Interval> RoundedP(const QString &text, const QLocale &locale = QLocale());

bool Overlap(Interval a, Interval b);
// The range of |x| for x in the interval.
Interval Magnitude(Interval x);

// A typed figure's value and half the unit of its last typed digit.
struct TypedFigure {
    double value, half;
};
// None where the text is not a number in `locale`'s notation.
std::optional<TypedFigure> ReadFigure(const QString &text, const QLocale &locale);
// Whether a figure is typed in E notation, as "2E-3".
bool InExponentForm(const QString &text);

#pragma once

#include "engine/rounding.h"

#include <QLocale>
#include <QString>
#include <optional>

// The rounding interval a typed figure stands for, in the user's regional format.

using engine::Interval;
using engine::Magnitude;
using engine::Overlap;
using engine::TypedFigure;

std::optional<Interval> Rounded(const QString &text, const QLocale &locale = QLocale());
// The same for a typed p, within 0 to 1, except that a p typed as a whole number is exact.
std::optional<Interval> RoundedP(const QString &text, const QLocale &locale = QLocale());
// None where the text is not a number in `locale`'s notation.
std::optional<TypedFigure> ReadFigure(const QString &text, const QLocale &locale);
// Whether a figure is typed in E notation, as "2E-3".
bool InExponentForm(const QString &text);

#include "checks/rounding.h"

#include "common/fieldtext.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

std::optional<TypedFigure> ReadFigure(const QString &text, const QLocale &locale)
{
    const std::optional<double> value = TextToNumber(text, locale);
    if (!value)
        return std::nullopt;
    // The last typed decimal sets the unit: "3.37" is 3.365 to 3.375, "2E-3" 0.0015 to 0.0025.
    const QString trimmed = TrimSpaces(text);
    const qsizetype e = trimmed.indexOf(u'e', 0, Qt::CaseInsensitive);
    const QString mantissa = e < 0 ? trimmed : trimmed.left(e);
    const qsizetype point = mantissa.indexOf(locale.decimalPoint());
    const qsizetype decimals = point < 0 ? 0 : mantissa.size() - point - 1;
    const int exponent = e < 0 ? 0 : locale.toInt(trimmed.mid(e + 1));
    const double half = 0.5 * std::pow(10.0, exponent - double(decimals));
    return TypedFigure{*value, half};
}

bool InExponentForm(const QString &text)
{
    return text.contains(u'e', Qt::CaseInsensitive);
}

std::optional<Interval> Rounded(const QString &text, const QLocale &locale)
{
    const std::optional<TypedFigure> figure = ReadFigure(text, locale);
    if (!figure)
        return std::nullopt;
    return Interval{figure->value - figure->half, figure->value + figure->half};
}

std::optional<Interval> RoundedP(const QString &text, const QLocale &locale)
{
    const std::optional<TypedFigure> figure = ReadFigure(text, locale);
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

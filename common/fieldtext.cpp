#include "common/fieldtext.h"

#include <QLocale>
#include <cmath>

QString TrimSpaces(const QString &text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == u' ')
        ++first;
    while (last > first && text.at(last - 1) == u' ')
        --last;
    return text.mid(first, last - first);
}

bool PassesNameTest(const QString &text)
{
    return !TrimSpaces(text).isEmpty();
}

// Accepted: blanks around the number, an optional sign, digits with an optional regional decimal
// separator and fraction, an optional exponent ("5E-2"), as QLocale reads them for the user's
// regional format (QLocale() is the system locale unless a test sets another default).
// Refused on purpose: group separators ("1,000" in English would silently read 1.5 typed as
// "1,5" as 15), other white space around the number (tabs), hexadecimal, currency signs,
// nan, infinity, and values outside the range of a double (1e999, 1e-400).
std::optional<double> TextToNumber(const QString &text)
{
    const QString trimmed = TrimSpaces(text);
    if (trimmed.isEmpty() || trimmed.front().isSpace() || trimmed.back().isSpace())
        return std::nullopt;
    QLocale locale;
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = locale.toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

bool PassesNumberTest(const QString &text)
{
    return TextToNumber(text).has_value();
}

QString NumberToText(double value)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value, 'g', 15);
}

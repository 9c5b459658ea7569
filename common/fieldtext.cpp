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
    return TextToNumber(text, QLocale());
}

std::optional<double> TextToNumber(const QString &text, const QLocale &notation)
{
    const QString trimmed = TrimSpaces(text);
    if (trimmed.isEmpty() || trimmed.front().isSpace() || trimmed.back().isSpace())
        return std::nullopt;
    QLocale locale = notation;
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
    // Qt writes some numbers in forms that its own reading refuses: "1×10^+21" in Swedish, a
    // direction mark before the minus sign in Hebrew and Arabic, and, for the largest doubles,
    // a 15-digit rounding beyond the range of a double. Those are written with a plain sign and
    // "E" exponent, and with 14 digits where 15 overflow, so that a box the program fills always
    // passes its own number test.
    for (const int digits : {15, 14}) {
        const QString regional = locale.toString(value, 'g', digits);
        if (TextToNumber(regional))
            return regional;
        QString plain = QLocale::c().toString(value, 'G', digits);
        plain.replace(u'.', locale.decimalPoint());
        if (TextToNumber(plain))
            return plain;
    }
    return locale.toString(value, 'g', 15);
}

#pragma once

#include <QLocale>
#include <QString>
#include <optional>

// Field texts stay text; these are the only places where a field becomes a number or a number
// becomes a field. All of them follow the user's regional number format.

// Removes leading and trailing space characters (U+0020) only: tabs and inner blanks stay.
QString TrimSpaces(const QString &text);

// The name test: passes when the trimmed text is not empty.
bool PassesNameTest(const QString &text);

// The text-to-number conversion. It is the number test as well (see PassesNumberTest), so the
// two can never disagree. Gives no value for a text that is not a finite number.
std::optional<double> TextToNumber(const QString &text);
// The same in a given notation, for texts written in another than the user's (a manuscript).
std::optional<double> TextToNumber(const QString &text, const QLocale &locale);

// The number test: the trimmed text is not empty and the text converts.
bool PassesNumberTest(const QString &text);

// The number-to-text rule for the boxes the program fills itself: at most 15 significant
// digits, the regional decimal separator, no group separators, no leading blank. The text of a
// finite value always passes the number test and converts back to the value at that precision.
QString NumberToText(double value);

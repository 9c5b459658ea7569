#include "common/wording.h"

#include "common/fieldtext.h"

#include <cmath>

namespace {
// Texts reach here only after the field checks; a text that still does not convert compares
// false with everything, so it can never make a result significant.
double valueOf(const QString &text)
{
    return TextToNumber(text).value_or(std::nan(""));
}
} // namespace

bool IsSignificant(const QString &pValueText, const QString &alphaText)
{
    return valueOf(pValueText) < valueOf(alphaText);
}

QString TailWord(const QString &tailsText)
{
    return tailsText == u"1" ? QStringLiteral(" one-tailed") : QStringLiteral(" two-tailed");
}

QString DirectionWord(const QString &mean1Text, const QString &mean2Text)
{
    return valueOf(mean1Text) > valueOf(mean2Text) ? QStringLiteral(" greater")
                                                   : QStringLiteral(" less");
}

QString CorrelationDirectionWord(const QString &rText)
{
    return valueOf(rText) > 0 ? QStringLiteral(" positive") : QStringLiteral(" negative");
}

QString CorrelationTrendWord(const QString &rText)
{
    return valueOf(rText) > 0 ? QStringLiteral(" higher") : QStringLiteral(" lower");
}

QString JoinPieces(std::initializer_list<QString> pieces)
{
    QString joined;
    for (const QString &piece : pieces)
        joined += piece;
    return joined;
}

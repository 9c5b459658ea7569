#include "checks/rounding.h"

#include "checks/localenotation.h"
#include "common/enginetext.h"

std::optional<TypedFigure> ReadFigure(const QString &text, const QLocale &locale)
{
    return engine::ReadFigure(EngineView(text), LocaleNotation(locale));
}

bool InExponentForm(const QString &text)
{
    return engine::InExponentForm(EngineView(text));
}

std::optional<Interval> Rounded(const QString &text, const QLocale &locale)
{
    return engine::Rounded(EngineView(text), LocaleNotation(locale));
}

std::optional<Interval> RoundedP(const QString &text, const QLocale &locale)
{
    return engine::RoundedP(EngineView(text), LocaleNotation(locale));
}

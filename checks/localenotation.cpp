#include "checks/localenotation.h"

#include "common/enginetext.h"
#include "common/fieldtext.h"

LocaleNotation::LocaleNotation(const QLocale &locale) : m_locale(locale)
{
    m_locale.setNumberOptions(QLocale::OmitGroupSeparator);
}

engine::Text LocaleNotation::DecimalPoint() const
{
    return m_locale.decimalPoint().toStdU16String();
}

engine::Text LocaleNotation::ZeroDigit() const
{
    return m_locale.zeroDigit().toStdU16String();
}

engine::Text LocaleNotation::NegativeSign() const
{
    return m_locale.negativeSign().toStdU16String();
}

engine::Text LocaleNotation::Fixed(double value, int decimals) const
{
    return m_locale.toString(value, 'f', decimals).toStdU16String();
}

std::optional<double> LocaleNotation::Read(engine::TextView text) const
{
    return TextToNumber(FromEngine(text), m_locale);
}

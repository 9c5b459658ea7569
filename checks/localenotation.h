#pragma once

#include "engine/notation.h"

#include <QLocale>

// A user's regional format as the engine's formats and judgements read and write figures.
class LocaleNotation final : public engine::Notation {
public:
    explicit LocaleNotation(const QLocale &locale);
    engine::Text DecimalPoint() const override;
    engine::Text ZeroDigit() const override;
    engine::Text NegativeSign() const override;
    engine::Text Fixed(double value, int decimals) const override;
    std::optional<double> Read(engine::TextView text) const override;

private:
    QLocale m_locale;
};

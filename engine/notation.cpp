#include "engine/notation.h"

namespace engine {
namespace {
class PlainNotation final : public Notation {
public:
    explicit PlainNotation(char16_t point) : m_point(point) {}
    Text DecimalPoint() const override { return Text(1, m_point); }
    Text ZeroDigit() const override { return u"0"; }
    Text NegativeSign() const override { return u"-"; }
    Text Fixed(double value, int decimals) const override
    {
        return Replaced(Ascii(FixedDecimal(value, decimals)), u'.', m_point);
    }
    std::optional<double> Read(TextView text) const override
    {
        return ReadDecimal(TrimSpaces(text), m_point);
    }

private:
    char16_t m_point;
};
} // namespace

const Notation &PointNotation()
{
    static const PlainNotation point(u'.');
    return point;
}

const Notation &CommaNotation()
{
    static const PlainNotation comma(u',');
    return comma;
}

} // namespace engine

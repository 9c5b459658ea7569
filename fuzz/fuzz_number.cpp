// The number test, the text-to-number conversion and the number-to-text rule under arbitrary
// input. Each input is read as UTF-8 and again as UTF-16LE, and each text is tried in several
// regional formats; the first eight bytes are also taken as a double for the number-to-text rule.
#include "common/fieldtext.h"
#include "fuzzcheck.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>
#include <cstring>
#include <optional>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {
struct Region {
    QLocale locale;
    // The documented form of a figure, where the region writes ASCII digits: blanks around, an
    // optional sign, digits with an optional decimal separator and fraction, an optional exponent.
    std::optional<QRegularExpression> form;
};

// US English and German write plain figures. Swedish, Hebrew and Arabic are where Qt writes
// numbers in forms of its own: "×10^" exponents, direction marks, Arabic-Indic digits.
const std::vector<Region> &Regions()
{
    static const std::vector<Region> regions = [] {
        std::vector<Region> list;
        for (const char *name : {"en_US", "de_DE"}) {
            const QLocale locale(QString::fromLatin1(name));
            const QString point = QRegularExpression::escape(locale.decimalPoint());
            list.push_back(
                {locale, QRegularExpression(u"^ *([+\\-\u2212]?)([0-9]+(?:%1[0-9]*)?|%1[0-9]+)"
                                            u"(?:[eE]([+\\-\u2212]?[0-9]+))? *\\z"_s.arg(point))});
        }
        for (const char *name : {"sv_SE", "he_IL", "ar_EG"})
            list.push_back({QLocale(QString::fromLatin1(name)), std::nullopt});
        return list;
    }();
    return regions;
}

// Whether a text of the documented form is a finite double, rounded as the C library rounds it:
// beyond the range of a double, or so small that it rounds to zero, it is refused.
std::optional<double> ExpectedValue(const QRegularExpressionMatch &match, const QLocale &locale)
{
    QString c = match.captured(1) + match.captured(2);
    c.replace(locale.decimalPoint(), u"."_s);
    if (match.hasCaptured(3))
        c += u'e' + match.captured(3);
    c.replace(u'\u2212', u'-');
    const double value = std::strtod(c.toLatin1().constData(), nullptr);
    const bool digitsAllZero = !match.captured(2).contains(QRegularExpression(u"[1-9]"_s));
    if (!std::isfinite(value) || (value == 0 && !digitsAllZero))
        return std::nullopt;
    return value;
}

bool Close(double a, double b)
{
    // Fifteen (or, near the largest doubles, fourteen) significant digits.
    return std::fabs(a - b) <= 1e-13 * std::fabs(b) + 1e-323;
}

void CheckWrittenNumberReadsBack(double value)
{
    const QString text = NumberToText(value);
    const std::optional<double> back = TextToNumber(text);
    FUZZ_CHECK(back.has_value(), text);
    FUZZ_CHECK(Close(*back, value), text);
    FUZZ_CHECK(!text.startsWith(u' '), text);
}

Tally texts{"texts tried in a region"};

void CheckText(const QString &text, const Region &region)
{
    const std::optional<double> value = TextToNumber(text);
    ++texts.tried;
    texts.passed += value.has_value();
    FUZZ_CHECK(PassesNumberTest(text) == value.has_value(), text);
    if (value) {
        FUZZ_CHECK(std::isfinite(*value), text);
        CheckWrittenNumberReadsBack(*value);
    }

    const std::optional<double> padded = TextToNumber(u"  "_s + text + u" "_s);
    FUZZ_CHECK(padded.has_value() == value.has_value() && (!value || *padded == *value), text);

    if (region.form) {
        const QRegularExpressionMatch match = region.form->match(text);
        const std::optional<double> expected =
            match.hasMatch() ? ExpectedValue(match, region.locale) : std::nullopt;
        FUZZ_CHECK(expected.has_value() == value.has_value(), text);
        FUZZ_CHECK(!value || *value == *expected, text);
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString texts[] = {FromUtf8(data, size), FromUtf16Le(data, size)};
    double raw = 0;
    if (size >= sizeof raw)
        std::memcpy(&raw, data, sizeof raw);

    for (const Region &region : Regions()) {
        QLocale::setDefault(region.locale);
        for (const QString &text : texts)
            CheckText(text, region);
        if (std::isfinite(raw))
            CheckWrittenNumberReadsBack(raw);
    }
    QLocale::setDefault(QLocale::c());
    return 0;
}

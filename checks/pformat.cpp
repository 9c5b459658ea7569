#include "checks/pformat.h"

#include "common/fieldtext.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

QString WithoutLeadingZero(QString text, const QLocale &locale)
{
    const QString zeroPoint = locale.zeroDigit() + locale.decimalPoint();
    const qsizetype at = text.indexOf(zeroPoint);
    if (at == 0 || (at > 0 && !text.at(at - 1).isDigit()))
        text.remove(at, locale.zeroDigit().size());
    return text;
}

QString FormatFixed(double value, int decimals, const QLocale &notation)
{
    QLocale locale = notation;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    QString text = locale.toString(value, 'f', decimals);
    // A limit that rounds to zero is zero, without a sign.
    if (value < 0 && locale.toDouble(text) == 0)
        text = locale.toString(0.0, 'f', decimals);
    if (locale.negativeSign() == u"-"_s)
        text.replace(u'-', u'\u2212');
    return text;
}

QString EchoFigure(const QString &text, const QLocale &locale)
{
    QString echo = TrimSpaces(text);
    if (locale.negativeSign() != u"-"_s)
        return echo;
    for (qsizetype at = 0; at + 1 < echo.size(); ++at) {
        if (echo.at(at) == u'-' &&
            (echo.at(at + 1).isDigit() ||
             QStringView(echo).mid(at + 1).startsWith(locale.decimalPoint())))
            echo[at] = u'\u2212';
    }
    return echo;
}

namespace {
// A p to this many significant digits, and what that text stands for.
struct ShownP {
    QString text;
    Interval standsFor;
};

ShownP PWithDigits(double p, int significant, bool exponent, const QLocale &locale)
{
    int power = int(std::floor(std::log10(p)));
    double unit = std::pow(10.0, power + 1 - significant);
    double rounded = std::round(p / unit) * unit;
    // .00996 is .010 to two digits: they count from the next power of ten.
    if (rounded >= std::pow(10.0, power + 1)) {
        ++power;
        unit *= 10;
        rounded = std::round(p / unit) * unit;
    }
    const Interval standsFor{rounded - unit / 2, rounded + unit / 2};
    if (exponent)
        return {FormatFixed(rounded / std::pow(10.0, power), significant - 1, locale) + u"E"_s +
                    FormatFixed(power, 0, locale),
                standsFor};
    return {WithoutLeadingZero(FormatFixed(rounded, std::max(0, significant - 1 - power), locale),
                               locale),
            standsFor};
}

// Whether two rounding intervals share more than an end.
bool ReadAlike(Interval shown, Interval typed)
{
    const double slack = 1e-9 * (shown.hi - shown.lo);
    return shown.lo < typed.hi - slack && typed.lo < shown.hi - slack;
}

// "p = .000" stands for a p below .0005 and agrees with one, but reads as a p of 0.
std::optional<Finding> ZeroPStyle(const QString &pText, const QLocale &locale)
{
    const std::optional<TypedFigure> typed = ReadFigure(pText, locale);
    if (!typed || typed->value != 0 || !(typed->half > 0) || typed->half >= 0.5)
        return std::nullopt;
    const double unit = 2 * typed->half;
    const int power = int(std::lround(std::log10(unit)));
    const QString bound =
        InExponentForm(pText)
            ? FormatFixed(1, 0, locale) + u"E"_s + FormatFixed(power, 0, locale)
            : WithoutLeadingZero(FormatFixed(unit, std::max(0, -power), locale), locale);
    return Finding{Finding::Warning,
                   u"Style: p = %1 cannot be exact; report it as p < %2."_s.arg(
                       EchoFigure(pText, locale), bound),
                   {},
                   {},
                   Finding::Style};
}
} // namespace

QString FormatP(double p, const QString &typedP, bool apart, const QLocale &locale)
{
    const std::optional<Interval> typed =
        typedP.isEmpty() ? std::nullopt : RoundedP(typedP, locale);
    const bool exponent = typed && InExponentForm(typedP);
    // "< .0001", unless the typed p is below it: then only a decade below the typed p's own, so
    // that a lost zero shows.
    const int lowestPower = typed && typed->lo > 0 && typed->lo < 1e-4
                                ? int(std::floor(std::log10(typed->lo))) - 1
                                : -4;
    const double lowest = std::pow(10.0, lowestPower);
    // NaN and a p that underflowed too: no int conversion below may see them.
    if (!(p >= lowest) || !(p > 0))
        return u"< "_s +
               (exponent ? FormatFixed(1, 0, locale) + u"E"_s + FormatFixed(lowestPower, 0, locale)
                         : WithoutLeadingZero(FormatFixed(lowest, -lowestPower, locale), locale));
    for (int significant = 2;; ++significant) {
        const ShownP shown = PWithDigits(p, significant, exponent, locale);
        if (!apart || !typed || significant == 15 || !ReadAlike(shown.standsFor, *typed))
            return shown.text;
    }
}

QString FormatCorrelation(double r)
{
    return std::abs(r) < 0.995 ? WithoutLeadingZero(FormatFixed(r, 2)) : FormatFixed(r, 1);
}

QString FormatProportion(double value)
{
    return WithoutLeadingZero(FormatFixed(value, 2));
}

PJudgement JudgeP(const QString &statistic, Interval pOfStatistic, double pAtTyped, bool oneTailed,
                  bool withTails, PComparison comparison, const QString &pText,
                  const QString &alphaText, const QLocale &locale, const QString &relation)
{
    PJudgement judgement;
    const std::optional<double> bound = TextToNumber(pText, locale);
    switch (comparison) {
    case PComparison::Equal: {
        const std::optional<Interval> typed = RoundedP(pText, locale);
        // A p typed as 0 is never right, however far the statistic's p underflows.
        judgement.agree = typed && typed->hi > 0 && Overlap(*typed, pOfStatistic);
        break;
    }
    case PComparison::Less:
        judgement.agree = bound && pOfStatistic.lo < *bound;
        break;
    case PComparison::LessOrEqual:
        judgement.agree = bound && pOfStatistic.lo <= *bound;
        break;
    case PComparison::Greater:
        judgement.agree = bound && pOfStatistic.hi > *bound;
        break;
    case PComparison::GreaterOrEqual:
        judgement.agree = bound && pOfStatistic.hi >= *bound;
        break;
    case PComparison::NotSignificant:
        break;
    }
    const std::optional<double> alpha = TextToNumber(alphaText, locale);
    if (comparison == PComparison::NotSignificant)
        judgement.agree = alpha && pOfStatistic.hi >= *alpha;

    const bool exact = comparison == PComparison::Equal;
    const QString shown =
        FormatP(pAtTyped, exact || bound ? pText : QString(), exact && !judgement.agree, locale);
    judgement.gives =
        EchoFigure(statistic, locale) +
        (shown.startsWith(u'<') ? u" gives p "_s : u" gives p "_s + relation + u" "_s) + shown +
        (withTails ? (oneTailed ? u" (one-tailed)"_s : u" (two-tailed)"_s) : QString());
    if (judgement.agree) {
        if (exact)
            judgement.style = ZeroPStyle(pText, locale);
        return judgement;
    }
    static const char16_t *const signs[] = {u"", u"< ", u"> ", u"\u2264 ", u"\u2265 "};
    judgement.against =
        comparison == PComparison::NotSignificant
            ? u", not ns"_s
            : u", not "_s + QString::fromUtf16(signs[int(comparison)]) + EchoFigure(pText, locale);

    // Whether the conclusion at alpha changes: the reported side of alpha against the side the
    // statistic's p falls on, where each is certain.
    std::optional<bool> reported, recomputed;
    if (alpha) {
        switch (comparison) {
        case PComparison::Equal:
            reported = bound && *bound < *alpha;
            break;
        case PComparison::Less:
        case PComparison::LessOrEqual:
            if (bound && *bound <= *alpha)
                reported = true;
            break;
        case PComparison::Greater:
        case PComparison::GreaterOrEqual:
            if (bound && *bound >= *alpha)
                reported = false;
            break;
        case PComparison::NotSignificant:
            reported = false;
            break;
        }
        if (relation == u"="_s)
            recomputed = pAtTyped < *alpha;
        else if (relation == u"<"_s && pAtTyped < *alpha)
            recomputed = true;
        else if (relation == u">"_s && pAtTyped >= *alpha)
            recomputed = false;
    }
    if (reported && recomputed && *reported != *recomputed) {
        judgement.decisionFlips = true;
        judgement.decisionNote = u" \u2014 at \u03b1 = "_s + EchoFigure(alphaText, locale) +
                                 (*recomputed ? u" the result would be significant"_s
                                              : u" the result would not be significant"_s);
    }
    return judgement;
}

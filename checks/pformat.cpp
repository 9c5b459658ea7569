#include "checks/pformat.h"

#include "checks/localenotation.h"
#include "common/enginetext.h"

#include <cmath>

QString WithoutLeadingZero(QString text, const QLocale &locale)
{
    return FromEngine(engine::WithoutLeadingZero(text.toStdU16String(), LocaleNotation(locale)));
}

QString FormatFixed(double value, int decimals, const QLocale &locale)
{
    return FromEngine(engine::FormatFixed(value, decimals, LocaleNotation(locale)));
}

QString EchoFigure(const QString &text, const QLocale &locale)
{
    return FromEngine(engine::EchoFigure(EngineView(text), LocaleNotation(locale)));
}

QString FormatP(double p, const QString &typedP, bool apart, const QLocale &locale)
{
    return FromEngine(engine::FormatP(p, EngineView(typedP), apart, LocaleNotation(locale)));
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
    const engine::PJudgement judged = engine::JudgeP(
        EngineView(statistic), pOfStatistic, pAtTyped, oneTailed, withTails, comparison,
        EngineView(pText), EngineView(alphaText), LocaleNotation(locale), EngineView(relation));
    PJudgement judgement{judged.agree,
                         judged.decisionFlips,
                         FromEngine(judged.gives),
                         FromEngine(judged.against),
                         FromEngine(judged.decisionNote),
                         {}};
    if (judged.style)
        judgement.style =
            Finding{Finding::Warning, FromEngine(*judged.style), {}, {}, Finding::Style};
    return judgement;
}

#include "checks/findings.h"

#include "checks/checkfigures.h"
#include "checks/checknames.h"
#include "checks/pformat.h"

#include "common/fieldtext.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <stdexcept>

using namespace Qt::Literals::StringLiterals;

Findings Guarded(const std::function<Findings()> &checks, const QList<NameField> &names)
{
    Findings lines;
    try {
        lines = checks();
    } catch (const std::exception &) {
    }
    if (const std::optional<Finding> markup = NamesFinding(names))
        lines << *markup;
    std::stable_sort(lines.begin(), lines.end(),
                     [](const Finding &a, const Finding &b) { return a.topic < b.topic; });
    return lines;
}

Findings PFinding(const QString &statistic, Interval pOfStatistic, double pAtTyped, bool oneTailed,
                  bool withTails, const QString &pText, const QString &alphaText)
{
    const PJudgement judgement = JudgeP(statistic, pOfStatistic, pAtTyped, oneTailed, withTails,
                                        PComparison::Equal, pText, alphaText);
    if (judgement.agree) {
        Findings lines{
            {Finding::Agree, u"Figures agree: "_s + judgement.gives + u"."_s, {}, {}, Finding::P}};
        if (judgement.style)
            lines << *judgement.style;
        return lines;
    }
    return {{Finding::Warning,
             u"Check p: "_s + judgement.gives + judgement.against + judgement.decisionNote + u"."_s,
             {},
             {},
             Finding::P}};
}

Findings TPFinding(const QString &dfText, const QString &tText, const QString &tailsText,
                   const QString &pText, const QString &alphaText)
{
    const double t = *TextToNumber(tText), df = *TextToNumber(dfText);
    const bool oneTailed = tailsText == u"1"_s;
    const Interval tMagnitude = Magnitude(*Rounded(tText));
    return PFinding(u"t(%1) = %2"_s.arg(TrimSpaces(dfText), TrimSpaces(tText)),
                    {PFromT(tMagnitude.hi, df, oneTailed), PFromT(tMagnitude.lo, df, oneTailed)},
                    PFromT(std::abs(t), df, oneTailed), oneTailed, true, pText, alphaText);
}

Findings RPFinding(const QString &dfText, const QString &rText, const QString &tailsText,
                   const QString &pText, const QString &alphaText)
{
    const double r = *TextToNumber(rText), df = *TextToNumber(dfText);
    const bool oneTailed = tailsText == u"1"_s;
    const Interval typed = *Rounded(rText);
    const Interval rMagnitude = Magnitude({std::max(typed.lo, -1.0), std::min(typed.hi, 1.0)});
    return PFinding(u"r(%1) = %2"_s.arg(TrimSpaces(dfText), TrimSpaces(rText)),
                    {PFromT(TFromR(rMagnitude.hi, df), df, oneTailed),
                     PFromT(TFromR(rMagnitude.lo, df), df, oneTailed)},
                    PFromT(TFromR(std::abs(r), df), df, oneTailed), oneTailed, true, pText,
                    alphaText);
}

Findings FPFinding(const QString &df1Text, const QString &df2Text, const QString &fText,
                   const QString &pText, const QString &alphaText)
{
    const double df1 = *TextToNumber(df1Text), df2 = *TextToNumber(df2Text);
    const Interval f = *Rounded(fText);
    return PFinding(
        u"F(%1, %2) = %3"_s.arg(TrimSpaces(df1Text), TrimSpaces(df2Text), TrimSpaces(fText)),
        {PFromF(f.hi, df1, df2), PFromF(f.lo, df1, df2)}, PFromF(*TextToNumber(fText), df1, df2),
        false, false, pText, alphaText);
}

RangeRule PRule(const QString &text)
{
    return {text, u"Check the figures: p = %1 lies outside 0 to 1."_s, 0, 1};
}

RangeRule AlphaRule(const QString &text)
{
    return {text, u"Check the figures: \u03b1 = %1 lies outside 0 to 1."_s, 0, 1};
}

RangeRule SdRule(const QString &text)
{
    return {text, u"Check the figures: SD = %1; an SD cannot be negative."_s, 0, INFINITY};
}

RangeRule DfRule(const QString &text)
{
    return {text, u"Check the figures: df = %1; the degrees of freedom must be above 0."_s, 0,
            INFINITY, true};
}

RangeRule SampleSizeRule(const QString &text)
{
    return {text, u"Check the figures: N = %1; a sample size must be above 0."_s, 0, INFINITY,
            true};
}

Finding EffectFinding(const QString &symbolHtml, const QString &symbolText, const QString &value,
                      std::optional<Interval> ci, int level, QString (*formatLimit)(double))
{
    QString figures = u" = "_s + value;
    if (ci) {
        const auto limit = [formatLimit](double x) {
            return formatLimit ? formatLimit(x) : FormatFixed(x);
        };
        // A decimal comma would blur "[0,39, 1,68]": its limits are parted by a semicolon.
        const QString separator = QLocale().decimalPoint() == u","_s ? u"; "_s : u", "_s;
        figures += u", %1% CI ["_s.arg(level) + limit(ci->lo) + separator + limit(ci->hi) + u"]"_s;
    }
    return {Finding::Effect, u"Effect size: "_s + symbolText + figures, symbolHtml + figures,
            symbolText + figures, Finding::EffectSize};
}

Finding CorrelationEffectFinding(double r, std::optional<Interval> ci)
{
    Finding line =
        EffectFinding(u"<i>r</i>"_s, u"r"_s, FormatCorrelation(r), ci, 95, FormatCorrelation);
    const QString square = u" = "_s + FormatCorrelation(r * r);
    line.text += u", r\u00b2"_s + square;
    line.copyHtml += u", <i>r</i><sup>2</sup>"_s + square;
    line.copyText += u", r\u00b2"_s + square;
    return line;
}

std::optional<Finding> OutOfRange(const QList<RangeRule> &rules)
{
    for (const RangeRule &rule : rules) {
        const std::optional<double> value = TextToNumber(rule.text);
        if (value && (*value < rule.lowest || *value > rule.highest ||
                      (rule.excludeLowest && *value == rule.lowest) ||
                      (rule.wholeNumber && *value != std::floor(*value))))
            return Finding{Finding::Warning, rule.message.arg(EchoFigure(rule.text)), {}, {}};
    }
    return std::nullopt;
}

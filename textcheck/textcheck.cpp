#include "textcheck/textcheck.h"

#include "common/enginetext.h"

namespace {
TextPlace Place(const engine::TextPlace &place)
{
    return {qsizetype(place.offset), qsizetype(place.length), place.line, place.column};
}

FigureFinding Finding(const engine::FigureFinding &figure)
{
    return {Place(figure.place), FromEngine(figure.quote), figure.kind, figure.verdict,
            FromEngine(figure.message)};
}

FoundResult Result(const engine::FoundResult &found)
{
    FoundResult result;
    result.place = Place(found.place);
    result.quote = FromEngine(found.quote);
    result.test = found.test;
    result.df1Text = FromEngine(found.df1Text);
    result.df2Text = FromEngine(found.df2Text);
    result.nText = FromEngine(found.nText);
    result.df1 = found.df1;
    result.df2 = found.df2;
    result.n = found.n;
    result.statisticComparison = FromEngine(found.statisticComparison);
    result.statistic = FromEngine(found.statistic);
    result.pComparison = FromEngine(found.pComparison);
    result.p = FromEngine(found.p);
    result.computedP = found.computedP;
    result.computedPLow = found.computedPLow;
    result.computedPHigh = found.computedPHigh;
    result.tails = found.tails;
    result.verdict = found.verdict;
    result.message = FromEngine(found.message);
    result.findings.reserve(qsizetype(found.findings.size()));
    for (const engine::FigureFinding &figure : found.findings)
        result.findings.append(Finding(figure));
    return result;
}
} // namespace

TextCheck CheckText(const QString &text, const QString &alphaText)
{
    return CheckText(text, CheckSettings{alphaText});
}

TextCheck CheckText(const QString &text, const CheckSettings &settings)
{
    const engine::TextCheck checked =
        engine::CheckText(EngineView(text), {settings.alpha.toStdU16String(),
                                             settings.wholeNumberScores, settings.items});
    TextCheck check;
    check.results.reserve(qsizetype(checked.results.size()));
    for (const engine::FoundResult &found : checked.results)
        check.results.append(Result(found));
    for (const engine::TextPlace &place : checked.pValuesWithoutStatistic)
        check.pValuesWithoutStatistic.append(Place(place));
    return check;
}

bool IsAlphaLevel(const QString &alphaText)
{
    return engine::IsAlphaLevel(EngineView(alphaText));
}

QString TotalsLine(const VerdictTotals &totals)
{
    return FromEngine(engine::TotalsLine(totals));
}

QString VerdictName(Verdict verdict)
{
    return FromEngine(engine::VerdictName(verdict));
}

QString TestName(TestKind test)
{
    return FromEngine(engine::TestName(test));
}

QString FigureKindName(FigureKind kind)
{
    return FromEngine(engine::FigureKindName(kind));
}

QString FigureVerdictName(FigureVerdict verdict)
{
    return FromEngine(engine::FigureVerdictName(verdict));
}

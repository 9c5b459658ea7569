#include "engine/verdicts.h"

#include "engine/estimatep.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>

namespace engine {

namespace {
Text Symbol(TestKind test)
{
    static const char16_t *const symbols[] = {u"t", u"F", u"r", u"\u03c7\u00b2", u"z", u"Q"};
    return symbols[int(test)];
}

// A figure as written, its minus a plain one for the echo to turn into its own sign.
Text Written(TextView text, const ScannedFigure &figure)
{
    Text written(Mid(text, figure.begin, figure.end - figure.begin));
    for (char16_t &c : written)
        if (c == 0x2212 || c == 0x2013 || c == 0x2012)
            c = u'-';
    return written;
}

// Degrees of freedom as written, unless written as subscripts or with a letter for 1.
Text DegreesText(TextView text, const ScannedFigure &figure, bool comma)
{
    const Text written = Written(text, figure);
    for (const char16_t c : written)
        if (!IsUnicodeDigit(c) || c > 0x7F)
            if (c != u'.' && c != u',')
                return comma ? Replaced(figure.plain, u'.', u',') : figure.plain;
    return written;
}

// "t(38) = 2.10", "F(2, 57) = 3.76", "χ²(1, N = 1,024) = 4.32", "z = 1.96": the figures as
// written, the rest in one form.
Text StatisticText(TextView text, const ScannedResult &r, bool comma)
{
    Text degrees;
    for (const ScannedFigure *figure : {&r.df1, &r.df2})
        if (figure->present())
            degrees += (degrees.empty() ? u""
                        : comma         ? u"; "
                                        : u", ") +
                       DegreesText(text, *figure, comma);
    if (r.n.present())
        degrees += (degrees.empty() ? u""
                    : comma         ? u"; "
                                    : u", ") +
                   Text(u"N = ") + Written(text, r.n);
    const Text bracket = degrees.empty() ? Text() : u"(" + degrees + u")";
    const Text symbol = r.test == TestKind::Q ? Text(Mid(text, r.begin, r.symbolEnd - r.begin))
                        : r.spearman          ? Text(u"rs")
                                              : Symbol(r.test);
    return symbol + bracket + u" " + r.statisticComparison + u" " + Written(text, r.statistic);
}

double DegreesOfFreedom(const ScannedResult &r)
{
    return r.dfFromN ? ReadPlain(r.n) - 2 : ReadPlain(r.df1);
}

std::optional<Text> Unchecked(const ScannedResult &r, const Notation &notation)
{
    const auto echo = [&](const Text &plain) {
        return EchoFigure(notation.DecimalPoint() == u"," ? Replaced(plain, u'.', u',') : plain,
                          notation);
    };
    const double p = ReadPlain(r.p), statistic = ReadPlain(r.statistic);
    if (r.pComparison != PComparison::NotSignificant && !(p >= 0 && p <= 1))
        return u"p = " + echo(r.p.plain) + u" lies outside 0 to 1";
    for (const ScannedFigure *df : {&r.df1, &r.df2})
        if (df->present() && !(ReadPlain(*df) > 0))
            return u"df = " + df->plain + u": the degrees of freedom must be above 0";
    if (r.n.present() && !(ReadPlain(r.n) > 0))
        return u"N = " + r.n.plain + u": a sample size must be above 0";
    if (r.dfFromN && !(DegreesOfFreedom(r) > 0))
        return u"N = " + r.n.plain + u": a correlation needs N above 2";
    if (!std::isfinite(statistic))
        return Symbol(r.test) + u" = " + r.statistic.plain + u" cannot be read as a number";
    // Below about 30 pairs the t approximation of a rank correlation's p strays from its exact p.
    if (r.spearman && !(DegreesOfFreedom(r) >= 28))
        return u"rs(" + r.df1.plain +
               u"): with fewer than 30 pairs the p of a rank correlation is not checked";
    if (r.test == TestKind::R && std::abs(statistic) > 1)
        return u"r = " + echo(r.statistic.plain) + u" lies outside \u22121 to 1";
    if ((r.test == TestKind::F || r.test == TestKind::ChiSquare || r.test == TestKind::Q) &&
        statistic < 0)
        return Symbol(r.test) + u" = " + echo(r.statistic.plain) + u" cannot be negative";
    return std::nullopt;
}

// The p the statistic gives at a value, for one or two tails, with the degrees of freedom given.
std::function<double(double)> PAt(const ScannedResult &r, bool oneTailed, double df1, double df2)
{
    switch (r.test) {
    case TestKind::T:
        return [=](double x) { return PFromT(std::abs(x), df1, oneTailed); };
    case TestKind::R:
        return [=](double x) { return PFromR(std::min(std::abs(x), 1.0), df1, oneTailed); };
    case TestKind::Z:
        return [=](double x) { return PFromZ(std::abs(x), oneTailed); };
    case TestKind::F:
        return [=](double x) { return PFromF(x, df1, df2); };
    case TestKind::ChiSquare:
    case TestKind::Q:
        return [=](double x) { return PFromChiSquare(x, df1); };
    }
    return {};
}

struct POfStatistic {
    Interval range;
    double atValue;
    Text relation;
};

// Degrees of freedom written with decimals (Welch's, Greenhouse–Geisser's) are rounded too: the
// ends of their rounding intervals.
std::vector<double> DegreesRange(const ScannedFigure &df, double value)
{
    if (!df.present() || !Contains(df.plain, u'.'))
        return {value};
    const Interval rounded = *Rounded(df.plain, PointNotation());
    return {std::max(rounded.lo, 1e-3), rounded.hi};
}

// Over the statistic's rounding interval; a statistic given as a bound leaves p open on one side.
POfStatistic PRange(const ScannedResult &r, bool oneTailed)
{
    const double df1 = DegreesOfFreedom(r), df2 = ReadPlain(r.df2);
    const auto pAt = PAt(r, oneTailed, df1, df2);
    // The smallest p at the largest statistic, the largest at the smallest, over the degrees of
    // freedom's own rounding.
    const auto extreme = [&](double x, bool largest) {
        double p = pAt(x);
        if (!Contains(r.df1.plain, u'.') && !Contains(r.df2.plain, u'.'))
            return p;
        for (const double d1 : DegreesRange(r.dfFromN ? ScannedFigure{} : r.df1, df1))
            for (const double d2 : DegreesRange(r.df2, df2)) {
                const double at = PAt(r, oneTailed, d1, d2)(x);
                p = largest ? std::max(p, at) : std::min(p, at);
            }
        return p;
    };
    const bool symmetric = r.test == TestKind::T || r.test == TestKind::R || r.test == TestKind::Z;
    Interval value = *Rounded(r.statistic.plain, PointNotation());
    if (symmetric)
        value = Magnitude(value);
    else
        value.lo = std::max(0.0, value.lo);
    const double atValue = pAt(ReadPlain(r.statistic));
    if (r.statisticComparison == u"<")
        return {{std::clamp(extreme(value.hi, false), 0.0, 1.0), 1}, atValue, Text(u">")};
    if (r.statisticComparison == u">")
        return {{0, std::clamp(extreme(value.lo, true), 0.0, 1.0)}, atValue, Text(u"<")};
    // Near 0 and 1 the tails are flat: rounding may order the ends either way by a unit.
    const double a = extreme(value.hi, false), b = extreme(value.lo, true);
    return {{std::clamp(std::min(a, b), 0.0, 1.0), std::clamp(std::max(a, b), 0.0, 1.0)},
            atValue,
            Text(u"=")};
}

// The parts of a judgement in one notation.
struct Judge {
    const ScannedResult &r;
    const Notation &notation;
    Text statistic, pText, alphaText;

    PJudgement At(const POfStatistic &p, bool oneTailed, bool withTails) const
    {
        return JudgeP(statistic, p.range, p.atValue, oneTailed, withTails, r.pComparison, pText,
                      alphaText, notation, p.relation);
    }
    Text ShownP(const POfStatistic &p, bool apart) const
    {
        const bool exact = r.pComparison == PComparison::Equal;
        return FormatP(p.atValue,
                       r.pComparison == PComparison::NotSignificant ? TextView() : TextView(pText),
                       apart && exact, notation);
    }
    // ".042" (or "p = .042" where `named`), "p < .05" or "ns", as the text reports it.
    Text Reported(bool named = false) const
    {
        static const char16_t *const signs[] = {u"", u"p < ", u"p > ", u"p \u2264 ", u"p \u2265 "};
        if (named && r.pComparison == PComparison::Equal)
            return u"p = " + EchoFigure(pText, notation);
        if (r.pComparison == PComparison::NotSignificant)
            return Text(u"ns");
        return signs[int(r.pComparison)] + EchoFigure(pText, notation);
    }
};

// Whether the reported p lies above every p the statistic gives, as a corrected p does.
bool ReportedAbove(const ScannedResult &r, const POfStatistic &p)
{
    switch (r.pComparison) {
    case PComparison::Equal:
    case PComparison::Greater:
    case PComparison::GreaterOrEqual:
        return ReadPlain(r.p) > p.range.hi;
    case PComparison::NotSignificant:
        return true;
    default:
        return false;
    }
}

Judged Corrected(const PJudgement &judgement, const Judge &judge, TailsReading::Correction where)
{
    return {Verdict::Unchecked,
            judgement.gives +
                (where == TailsReading::Correction::InParagraph ? Text(u"; the paragraph")
                                                                : Text(u"; the text")) +
                Text(u" names a correction for multiple comparisons, so ") + judge.Reported(true) +
                Text(u" is not checked"),
            std::nan(""),
            {std::nan(""), std::nan("")},
            judgement.gives.ends_with(u"(one-tailed)") ? 1 : 2};
}

Judged Agreeing(const PJudgement &judgement, const POfStatistic &p, Verdict verdict, int tails)
{
    return {verdict, judgement.gives + (judgement.style ? u". " + *judgement.style : Text()),
            p.atValue, p.range, tails};
}

Judged Disagreeing(const PJudgement &judgement, const POfStatistic &p, int tails)
{
    return {judgement.decisionFlips ? Verdict::Decision : Verdict::Inconsistent,
            judgement.gives + judgement.against + judgement.decisionNote, p.atValue, p.range,
            tails};
}
} // namespace

double ReadPlain(const ScannedFigure &figure)
{
    return ParseDouble(Narrow(figure.plain)).value_or(std::nan(""));
}

namespace {
Judged JudgeTails(TextView text, const ScannedResult &r, const ResultContext &context,
                  TextView alpha, bool decimalComma)
{
    const TailsReading::Said said = context.said;
    const bool oneTailedAnywhere = context.oneTailedAnywhere;
    const Notation &notation = TextNotation(decimalComma);
    const bool withTails = r.test == TestKind::T || r.test == TestKind::R || r.test == TestKind::Z;
    if (const std::optional<Text> why = Unchecked(r, notation))
        return {Verdict::Unchecked,
                *why,
                std::nan(""),
                {std::nan(""), std::nan("")},
                withTails ? (said.tails == 1 ? 1 : 2) : 1};
    const auto inNotation = [&](TextView plain) {
        return decimalComma ? Replaced(plain, u'.', u',') : Text(plain);
    };
    const Judge judge{r, notation, StatisticText(text, r, decimalComma), inNotation(r.p.plain),
                      inNotation(alpha)};
    const POfStatistic two = PRange(r, false);
    if (!withTails) {
        const PJudgement only = judge.At(two, false, false);
        if (!only.agree && context.correction != TailsReading::Correction::None &&
            ReportedAbove(r, two))
            return Corrected(only, judge, context.correction);
        return only.agree ? Agreeing(only, two, Verdict::Consistent, 1) : Disagreeing(only, two, 1);
    }
    // Most results agree as the text reads them: the other reading is computed only when not.
    const bool saidOne = said.tails == 1;
    const PJudgement twoTailed = judge.At(two, false, true);
    if (!saidOne && twoTailed.agree)
        return Agreeing(twoTailed, two, Verdict::Consistent, 2);
    const POfStatistic one = PRange(r, true);
    const PJudgement oneTailed = judge.At(one, true, true);
    if (saidOne && oneTailed.agree)
        return Agreeing(oneTailed, one, Verdict::Consistent, 1);
    if (!twoTailed.agree && !oneTailed.agree &&
        context.correction != TailsReading::Correction::None && ReportedAbove(r, two))
        return Corrected(twoTailed, judge, context.correction);
    if (saidOne && twoTailed.agree) {
        // The author called the test one-tailed and reported its two-tailed p.
        const Text where = said.where == TailsReading::Where::SentenceBefore
                               ? Text(u"the sentence before says one-tailed; ")
                           : said.where == TailsReading::Where::Paragraph
                               ? Text(u"the paragraph says one-tailed; ")
                               : Text(u"the sentence says one-tailed; ");
        const Text holds = r.pComparison == PComparison::Equal
                               ? Text(u" is the two-tailed p of ")
                               : Text(u" holds for the two-tailed p of ");
        return {Verdict::Inconsistent,
                where + judge.Reported() + holds + EchoFigure(judge.statistic, notation) +
                    Text(u", one-tailed it is ") + judge.ShownP(one, true),
                one.atValue, one.range, 1};
    }
    if (said.tails == 0 && oneTailedAnywhere && oneTailed.agree)
        return {Verdict::ConsistentOneTailed,
                twoTailed.gives + twoTailed.against +
                    Text(u"; consistent one-tailed, as the text says elsewhere"),
                one.atValue, one.range, 1};
    if (saidOne || (said.tails == 0 && oneTailedAnywhere)) {
        // Neither reading fits: both are given, and the conclusion at alpha is called changed
        // only where it changes under both.
        const bool flips = twoTailed.decisionFlips && oneTailed.decisionFlips;
        const POfStatistic &read = saidOne ? one : two;
        return {flips ? Verdict::Decision : Verdict::Inconsistent,
                twoTailed.gives + Text(u" or ") + judge.ShownP(one, true) + Text(u" (one-tailed)") +
                    twoTailed.against + (flips ? twoTailed.decisionNote : Text()),
                read.atValue, read.range, saidOne ? 1 : 2};
    }
    return Disagreeing(twoTailed, two, 2);
}
// "= .042", or "< .0001" as it stands.
Text Shown(const Text &p)
{
    return p.starts_with(u'<') ? p : u"= " + p;
}
} // namespace

Judged JudgeResult(TextView text, const ScannedResult &r, const ResultContext &context,
                   TextView alpha, bool decimalComma)
{
    Judged judged = JudgeTails(text, r, context, alpha, decimalComma);
    if (!IsInconsistent(judged.verdict) || r.pComparison != PComparison::Equal)
        return judged;
    // A p that its statistic does not give but an estimate's interval before it does.
    const auto reported = RoundedP(r.p.plain, PointNotation());
    if (!reported)
        return judged;
    const auto estimate =
        PFitsEstimateBefore(text, context.stretchBegin, r.begin, *reported, decimalComma);
    if (!estimate)
        return judged;
    const Notation &notation = TextNotation(decimalComma);
    const Text pText = decimalComma ? Replaced(r.p.plain, u'.', u',') : r.p.plain;
    const Text statistic = EchoFigure(StatisticText(text, r, decimalComma), notation);
    return {Verdict::Unchecked,
            Text(u"p = ") + EchoFigure(pText, notation) + Text(u" fits the estimate before it (") +
                EchoFigure(estimate->estimate, notation) + Text(u", ") + Number(estimate->level) +
                Text(u"% CI [") + EchoFigure(estimate->lower, notation) +
                (decimalComma ? Text(u"; ") : Text(u", ")) + EchoFigure(estimate->upper, notation) +
                Text(u"]), not ") + statistic + Text(u", which gives p ") +
                Shown(FormatP(judged.computedP, pText, true, notation)),
            std::nan(""),
            {std::nan(""), std::nan("")},
            judged.tails};
}

Text ResultStatistic(TextView text, const ScannedResult &result, bool decimalComma)
{
    return EchoFigure(StatisticText(text, result, decimalComma), TextNotation(decimalComma));
}

const Notation &TextNotation(bool decimalComma)
{
    return decimalComma ? CommaNotation() : PointNotation();
}

} // namespace engine

#include "textcheck/verdicts.h"

#include "textcheck/estimatep.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <functional>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace {
// Figures are read from the scanner's plain notation, and echoed in the text's.
const QLocale &PlainNotation()
{
    static const QLocale c = QLocale::c();
    return c;
}

const QLocale &CommaNotation()
{
    static const QLocale comma = [] {
        QLocale german(QLocale::German, QLocale::Germany);
        german.setNumberOptions(QLocale::OmitGroupSeparator);
        return german;
    }();
    return comma;
}

QString Symbol(TestKind test)
{
    static const QString symbols[] = {u"t"_s, u"F"_s, u"r"_s, u"\u03c7\u00b2"_s, u"z"_s, u"Q"_s};
    return symbols[int(test)];
}

// A figure as written, its minus a plain one for the echo to turn into its own sign.
QString Written(QStringView text, const ScannedFigure &figure)
{
    QString written = text.mid(figure.begin, figure.end - figure.begin).toString();
    for (QChar &c : written)
        if (c == QChar(0x2212) || c == QChar(0x2013) || c == QChar(0x2012))
            c = u'-';
    return written;
}

// Degrees of freedom as written, unless written as subscripts or with a letter for 1.
QString DegreesText(QStringView text, const ScannedFigure &figure, bool comma)
{
    const QString written = Written(text, figure);
    for (const QChar c : written)
        if (!c.isDigit() || c.unicode() > 0x7F)
            if (c != u'.' && c != u',')
                return comma ? QString(figure.plain).replace(u'.', u',') : figure.plain;
    return written;
}

// "t(38) = 2.10", "F(2, 57) = 3.76", "χ²(1, N = 1,024) = 4.32", "z = 1.96": the figures as
// written, the rest in one form.
QString StatisticText(QStringView text, const ScannedResult &r, bool comma)
{
    QStringList degrees;
    for (const ScannedFigure *figure : {&r.df1, &r.df2})
        if (figure->present())
            degrees << DegreesText(text, *figure, comma);
    if (r.n.present())
        degrees << u"N = "_s + Written(text, r.n);
    const QString bracket =
        degrees.isEmpty() ? QString() : u"("_s + degrees.join(comma ? u"; " : u", ") + u")"_s;
    const QString symbol = r.test == TestKind::Q
                               ? text.mid(r.begin, r.symbolEnd - r.begin).toString()
                           : r.spearman ? u"rs"_s
                                        : Symbol(r.test);
    return symbol + bracket + u" "_s + r.statisticComparison + u" "_s + Written(text, r.statistic);
}

double DegreesOfFreedom(const ScannedResult &r)
{
    return r.dfFromN ? ReadPlain(r.n) - 2 : ReadPlain(r.df1);
}

std::optional<QString> Unchecked(const ScannedResult &r, const QLocale &notation)
{
    const auto echo = [&](const QString &plain) {
        return EchoFigure(notation.decimalPoint() == u","_s ? QString(plain).replace(u'.', u',')
                                                            : plain,
                          notation);
    };
    const double p = ReadPlain(r.p), statistic = ReadPlain(r.statistic);
    if (r.pComparison != PComparison::NotSignificant && !(p >= 0 && p <= 1))
        return u"p = %1 lies outside 0 to 1"_s.arg(echo(r.p.plain));
    for (const ScannedFigure *df : {&r.df1, &r.df2})
        if (df->present() && !(ReadPlain(*df) > 0))
            return u"df = %1: the degrees of freedom must be above 0"_s.arg(df->plain);
    if (r.n.present() && !(ReadPlain(r.n) > 0))
        return u"N = %1: a sample size must be above 0"_s.arg(r.n.plain);
    if (r.dfFromN && !(DegreesOfFreedom(r) > 0))
        return u"N = %1: a correlation needs N above 2"_s.arg(r.n.plain);
    if (!std::isfinite(statistic))
        return u"%1 = %2 cannot be read as a number"_s.arg(Symbol(r.test), r.statistic.plain);
    // Below about 30 pairs the t approximation of a rank correlation's p strays from its exact p.
    if (r.spearman && !(DegreesOfFreedom(r) >= 28))
        return u"rs(%1): with fewer than 30 pairs the p of a rank correlation is not checked"_s.arg(
            r.df1.plain);
    if (r.test == TestKind::R && std::abs(statistic) > 1)
        return u"r = %1 lies outside \u22121 to 1"_s.arg(echo(r.statistic.plain));
    if ((r.test == TestKind::F || r.test == TestKind::ChiSquare || r.test == TestKind::Q) &&
        statistic < 0)
        return u"%1 = %2 cannot be negative"_s.arg(Symbol(r.test), echo(r.statistic.plain));
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
    QString relation;
};

// Degrees of freedom written with decimals (Welch's, Greenhouse–Geisser's) are rounded too: the
// ends of their rounding intervals.
QList<double> DegreesRange(const ScannedFigure &df, double value)
{
    if (!df.present() || !df.plain.contains(u'.'))
        return {value};
    const Interval rounded = *Rounded(df.plain, PlainNotation());
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
        if (!r.df1.plain.contains(u'.') && !r.df2.plain.contains(u'.'))
            return p;
        for (const double d1 : DegreesRange(r.dfFromN ? ScannedFigure{} : r.df1, df1))
            for (const double d2 : DegreesRange(r.df2, df2)) {
                const double at = PAt(r, oneTailed, d1, d2)(x);
                p = largest ? std::max(p, at) : std::min(p, at);
            }
        return p;
    };
    const bool symmetric = r.test == TestKind::T || r.test == TestKind::R || r.test == TestKind::Z;
    Interval value = *Rounded(r.statistic.plain, PlainNotation());
    if (symmetric)
        value = Magnitude(value);
    else
        value.lo = std::max(0.0, value.lo);
    const double atValue = pAt(ReadPlain(r.statistic));
    if (r.statisticComparison == u"<"_s)
        return {{std::clamp(extreme(value.hi, false), 0.0, 1.0), 1}, atValue, u">"_s};
    if (r.statisticComparison == u">"_s)
        return {{0, std::clamp(extreme(value.lo, true), 0.0, 1.0)}, atValue, u"<"_s};
    // Near 0 and 1 the tails are flat: rounding may order the ends either way by a unit.
    const double a = extreme(value.hi, false), b = extreme(value.lo, true);
    return {{std::clamp(std::min(a, b), 0.0, 1.0), std::clamp(std::max(a, b), 0.0, 1.0)},
            atValue,
            u"="_s};
}

// The parts of a judgement in one notation.
struct Judge {
    const ScannedResult &r;
    const QLocale &notation;
    QString statistic, pText, alphaText;

    PJudgement At(const POfStatistic &p, bool oneTailed, bool withTails) const
    {
        return JudgeP(statistic, p.range, p.atValue, oneTailed, withTails, r.pComparison, pText,
                      alphaText, notation, p.relation);
    }
    QString ShownP(const POfStatistic &p, bool apart) const
    {
        const bool exact = r.pComparison == PComparison::Equal;
        return FormatP(p.atValue, r.pComparison == PComparison::NotSignificant ? QString() : pText,
                       apart && exact, notation);
    }
    // ".042" (or "p = .042" where `named`), "p < .05" or "ns", as the text reports it.
    QString Reported(bool named = false) const
    {
        static const char16_t *const signs[] = {u"", u"p < ", u"p > ", u"p \u2264 ", u"p \u2265 "};
        if (named && r.pComparison == PComparison::Equal)
            return u"p = "_s + EchoFigure(pText, notation);
        if (r.pComparison == PComparison::NotSignificant)
            return u"ns"_s;
        return QString::fromUtf16(signs[int(r.pComparison)]) + EchoFigure(pText, notation);
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
                (where == TailsReading::Correction::InParagraph ? u"; the paragraph"_s
                                                                : u"; the text"_s) +
                u" names a correction for multiple comparisons, so "_s + judge.Reported(true) +
                u" is not checked"_s,
            std::nan(""),
            {std::nan(""), std::nan("")},
            judgement.gives.endsWith(u"(one-tailed)"_s) ? 1 : 2};
}

Judged Agreeing(const PJudgement &judgement, const POfStatistic &p, Verdict verdict, int tails)
{
    return {verdict,
            judgement.gives + (judgement.style ? u". "_s + judgement.style->text : QString()),
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
    const QByteArray ascii = figure.plain.toLatin1();
    double value = std::nan("");
    const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    return error == std::errc() && end == ascii.data() + ascii.size() && std::isfinite(value)
               ? value
               : std::nan("");
}

namespace {
Judged JudgeTails(QStringView text, const ScannedResult &r, const ResultContext &context,
                  const QString &alpha, bool decimalComma)
{
    const TailsReading::Said said = context.said;
    const bool oneTailedAnywhere = context.oneTailedAnywhere;
    const QLocale &notation = decimalComma ? CommaNotation() : PlainNotation();
    const bool withTails = r.test == TestKind::T || r.test == TestKind::R || r.test == TestKind::Z;
    if (const std::optional<QString> why = Unchecked(r, notation))
        return {Verdict::Unchecked,
                *why,
                std::nan(""),
                {std::nan(""), std::nan("")},
                withTails ? (said.tails == 1 ? 1 : 2) : 1};
    const auto inNotation = [&](QString plain) {
        return decimalComma ? plain.replace(u'.', u',') : plain;
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
        const QString where = said.where == TailsReading::Where::SentenceBefore
                                  ? u"the sentence before says one-tailed; "_s
                              : said.where == TailsReading::Where::Paragraph
                                  ? u"the paragraph says one-tailed; "_s
                                  : u"the sentence says one-tailed; "_s;
        const QString holds = r.pComparison == PComparison::Equal
                                  ? u" is the two-tailed p of "_s
                                  : u" holds for the two-tailed p of "_s;
        return {Verdict::Inconsistent,
                where + judge.Reported() + holds + EchoFigure(judge.statistic, notation) +
                    u", one-tailed it is "_s + judge.ShownP(one, true),
                one.atValue, one.range, 1};
    }
    if (said.tails == 0 && oneTailedAnywhere && oneTailed.agree)
        return {Verdict::ConsistentOneTailed,
                twoTailed.gives + twoTailed.against +
                    u"; consistent one-tailed, as the text says elsewhere"_s,
                one.atValue, one.range, 1};
    if (saidOne || (said.tails == 0 && oneTailedAnywhere)) {
        // Neither reading fits: both are given, and the conclusion at alpha is called changed
        // only where it changes under both.
        const bool flips = twoTailed.decisionFlips && oneTailed.decisionFlips;
        const POfStatistic &read = saidOne ? one : two;
        return {flips ? Verdict::Decision : Verdict::Inconsistent,
                twoTailed.gives + u" or "_s + judge.ShownP(one, true) + u" (one-tailed)"_s +
                    twoTailed.against + (flips ? twoTailed.decisionNote : QString()),
                read.atValue, read.range, saidOne ? 1 : 2};
    }
    return Disagreeing(twoTailed, two, 2);
}
// "= .042", or "< .0001" as it stands.
QString Shown(const QString &p)
{
    return p.startsWith(u'<') ? p : u"= "_s + p;
}
} // namespace

Judged JudgeResult(QStringView text, const ScannedResult &r, const ResultContext &context,
                   const QString &alpha, bool decimalComma)
{
    Judged judged = JudgeTails(text, r, context, alpha, decimalComma);
    if (!IsInconsistent(judged.verdict) || r.pComparison != PComparison::Equal)
        return judged;
    // A p that its statistic does not give but an estimate's interval before it does.
    const auto reported = RoundedP(r.p.plain, PlainNotation());
    if (!reported)
        return judged;
    const auto estimate =
        PFitsEstimateBefore(text, context.stretchBegin, r.begin, *reported, decimalComma);
    if (!estimate)
        return judged;
    const QLocale &notation = decimalComma ? CommaNotation() : PlainNotation();
    const QString pText = decimalComma ? QString(r.p.plain).replace(u'.', u',') : r.p.plain;
    const QString statistic = EchoFigure(StatisticText(text, r, decimalComma), notation);
    return {Verdict::Unchecked,
            u"p = "_s + EchoFigure(pText, notation) + u" fits the estimate before it ("_s +
                EchoFigure(estimate->estimate, notation) + u", "_s +
                QString::number(estimate->level) + u"% CI ["_s +
                EchoFigure(estimate->lower, notation) + (decimalComma ? u"; "_s : u", "_s) +
                EchoFigure(estimate->upper, notation) + u"]), not "_s + statistic +
                u", which gives p "_s + Shown(FormatP(judged.computedP, pText, true, notation)),
            std::nan(""),
            {std::nan(""), std::nan("")},
            judged.tails};
}

QString ResultStatistic(QStringView text, const ScannedResult &result, bool decimalComma)
{
    return EchoFigure(StatisticText(text, result, decimalComma),
                      decimalComma ? CommaNotation() : PlainNotation());
}

const QLocale &TextNotation(bool decimalComma)
{
    return decimalComma ? CommaNotation() : PlainNotation();
}

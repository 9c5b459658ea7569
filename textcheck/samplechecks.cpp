// The checks of the degrees of freedom against the sample, and of means and SDs of whole-number
// scores (GRIM, GRIMMER).
#include "checks/designs.h"
#include "textcheck/figurecontext.h"

#include <cmath>

using namespace Qt::Literals::StringLiterals;
using namespace figurereading;

namespace {
QString Whole(double value)
{
    return QString::number(qint64(std::llround(value)));
}

bool IsWhole(const ScannedFigure &figure)
{
    return !figure.plain.contains(u'.') && !figure.plain.contains(u'e');
}

// "t(38)", "F(2, 57)": the statistic's name and degrees of freedom as written.
QString Degrees(const FigureContext &c)
{
    const QString statistic = c.Statistic();
    const qsizetype close = statistic.indexOf(u')');
    return close < 0 ? statistic : statistic.left(close + 1);
}

void Report(FigureContext &c, const Figure &figure, bool fits, const QString &sample,
            const QString &gives)
{
    c.Add(figure, FigureKind::DfN, fits ? FigureVerdict::Consistent : FigureVerdict::Inconsistent,
          Degrees(c) + (fits ? u" fits "_s : u" does not fit "_s) + sample + u": "_s + gives);
}
} // namespace

void CheckDegrees(FigureContext &c, const Figure &n)
{
    if (c.r.dfFromN || !IsWhole(n.value))
        return;
    const double total = c.Value(n.value);
    const QString sample = u"N = "_s + Whole(total);
    const double df = c.Df1();
    const bool rounded = !IsWhole(c.r.df1);
    switch (c.r.test) {
    case TestKind::T: {
        // Independent groups N − 2 (Welch's df lies below it), one sample or paired N − 1.
        const bool fits =
            rounded ? df >= 1 && df <= total - 2 + 0.5 : df == total - 2 || df == total - 1;
        Report(c, n, fits, sample,
               u"independent groups give df = "_s + Whole(total - 2) + u", paired "_s +
                   Whole(total - 1));
        return;
    }
    case TestKind::R:
        // Partial correlations lose a df for each variable held constant.
        Report(c, n, !rounded && df <= total - 2 && df >= 1, sample,
               u"it gives df = "_s + Whole(total - 2));
        return;
    case TestKind::F: {
        if (!c.r.df2.present())
            return;
        const double df2 = c.Value(c.r.df2);
        // Between groups in any design df2 is at most N − (df1 + 1); within people, (N − 1)·df1,
        // less where a sphericity correction rounds it.
        const bool fits = df2 <= total - df - 1 || df2 == (total - 1) * df ||
                          (!IsWhole(c.r.df2) && df2 <= (total - 1) * df);
        Report(c, n, fits, sample,
               u"a one-way design gives df2 = "_s + Whole(total - df - 1) +
                   u", repeated measures "_s + Whole((total - 1) * df));
        return;
    }
    default:
        return;
    }
}

void CheckGroupDegrees(FigureContext &c, const Figure &last)
{
    if (c.r.test != TestKind::T || !c.groups)
        return;
    const auto [n1, n2] = *c.groups;
    if (!(n1 >= 1 && n2 >= 1) || n1 != std::floor(n1) || n2 != std::floor(n2))
        return;
    const double df = c.Df1();
    const bool welch = !IsWhole(c.r.df1);
    const bool independent =
        welch ? df >= std::min(n1, n2) - 1 - 0.5 && df <= n1 + n2 - 2 + 0.5 : df == n1 + n2 - 2;
    const bool paired = n1 == n2 && df == n1 - 1;
    QString gives = u"independent groups give df = "_s + Whole(n1 + n2 - 2);
    if (n1 == n2)
        gives += u", paired "_s + Whole(n1 - 1);
    Report(c, last, independent || paired, c.GroupsText(), gives);
}

void CheckWholeNumbers(FigureContext &c, const Figure &mean, const Figure &n, const Figure *sd,
                       int items)
{
    if (!IsWhole(n.value))
        return;
    const int count = int(c.Value(n.value));
    if (count < 1)
        return;
    const QString plain = mean.value.plain;
    const qsizetype point = plain.indexOf(u'.');
    const int decimals = point < 0 ? 0 : int(plain.size() - point - 1);
    const QString scores =
        items == 1 ? u"whole-number scores"_s
                   : u"scores on a "_s + QString::number(items) + u"-item whole-number scale"_s;
    const QString meanText = c.Echo(mean), nText = u"n = "_s + QString::number(count);
    // With as many scores as the mean has steps, every mean can be had.
    if (double(count) * items >= std::pow(10.0, decimals)) {
        c.Add(mean, FigureKind::Grim, FigureVerdict::Unchecked,
              meanText + u" with "_s + nText + u": too many scores for GRIM at "_s +
                  QString::number(decimals) + u" decimals"_s);
        return;
    }
    const Interval written = c.Range(mean.value);
    const GrimResult grim = Grim(written, count, items);
    if (!grim.possible) {
        c.Add(mean, FigureKind::Grim, FigureVerdict::Inconsistent,
              meanText + u" with "_s + nText + u" cannot be a mean of "_s + scores +
                  u": the nearest are "_s + c.Number(grim.below, decimals, true) + u" and "_s +
                  c.Number(grim.above, decimals, true));
        return;
    }
    c.Add(mean, FigureKind::Grim, FigureVerdict::Consistent,
          meanText + u" with "_s + nText + u" can be a mean of "_s + scores);
    if (!sd || count < 2)
        return;
    const bool possible = Grimmer(written, c.Range(sd->value), count, items);
    c.Add(*sd, FigureKind::Grimmer,
          possible ? FigureVerdict::Consistent : FigureVerdict::Inconsistent,
          c.Echo(*sd) + (possible ? u" can come from "_s : u" cannot come from "_s) + scores +
              u" with "_s + meanText + u" and "_s + nText);
}

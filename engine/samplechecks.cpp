// The checks of the degrees of freedom against the sample, and of means and SDs of whole-number
// scores (GRIM, GRIMMER).
#include "engine/designs.h"
#include "engine/figurecontext.h"

#include <cmath>

namespace engine {

using namespace figurereading;

namespace {
Text Whole(double value)
{
    return Number(std::llround(value));
}

bool IsWhole(const ScannedFigure &figure)
{
    return !Contains(figure.plain, u'.') && !Contains(figure.plain, u'e');
}

// "t(38)", "F(2, 57)": the statistic's name and degrees of freedom as written.
Text Degrees(const FigureContext &c)
{
    const Text statistic = c.Statistic();
    const size_t close = statistic.find(u')');
    return close == Text::npos ? statistic : statistic.substr(0, close + 1);
}

void Report(FigureContext &c, const Figure &figure, bool fits, const Text &sample,
            const Text &gives)
{
    c.Add(figure, FigureKind::DfN, fits ? FigureVerdict::Consistent : FigureVerdict::Inconsistent,
          Degrees(c) + (fits ? Text(u" fits ") : Text(u" does not fit ")) + sample + Text(u": ") +
              gives);
}
} // namespace

void CheckDegrees(FigureContext &c, const Figure &n)
{
    if (c.r.dfFromN || !IsWhole(n.value))
        return;
    const double total = c.Value(n.value);
    const Text sample = Text(u"N = ") + Whole(total);
    const double df = c.Df1();
    const bool rounded = !IsWhole(c.r.df1);
    switch (c.r.test) {
    case TestKind::T: {
        // Independent groups N − 2 (Welch's df lies below it), one sample or paired N − 1.
        const bool fits =
            rounded ? df >= 1 && df <= total - 2 + 0.5 : df == total - 2 || df == total - 1;
        Report(c, n, fits, sample,
               Text(u"independent groups give df = ") + Whole(total - 2) + Text(u", paired ") +
                   Whole(total - 1));
        return;
    }
    case TestKind::R:
        // Partial correlations lose a df for each variable held constant.
        Report(c, n, !rounded && df <= total - 2 && df >= 1, sample,
               Text(u"it gives df = ") + Whole(total - 2));
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
               Text(u"a one-way design gives df2 = ") + Whole(total - df - 1) +
                   Text(u", repeated measures ") + Whole((total - 1) * df));
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
    Text gives = Text(u"independent groups give df = ") + Whole(n1 + n2 - 2);
    if (n1 == n2)
        gives += Text(u", paired ") + Whole(n1 - 1);
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
    const Text plain = mean.value.plain;
    const size_t point = plain.find(u'.');
    const int decimals = point == Text::npos ? 0 : int(plain.size() - point - 1);
    const Text scores =
        items == 1 ? Text(u"whole-number scores")
                   : Text(u"scores on a ") + Number(items) + Text(u"-item whole-number scale");
    const Text meanText = c.Echo(mean), nText = Text(u"n = ") + Number(count);
    // With as many scores as the mean has steps, every mean can be had.
    if (double(count) * items >= std::pow(10.0, decimals)) {
        c.Add(mean, FigureKind::Grim, FigureVerdict::Unchecked,
              meanText + Text(u" with ") + nText + Text(u": too many scores for GRIM at ") +
                  Number(decimals) + Text(u" decimals"));
        return;
    }
    const Interval written = c.Range(mean.value);
    const GrimResult grim = Grim(written, count, items);
    if (!grim.possible) {
        c.Add(mean, FigureKind::Grim, FigureVerdict::Inconsistent,
              meanText + Text(u" with ") + nText + Text(u" cannot be a mean of ") + scores +
                  Text(u": the nearest are ") + c.Number(grim.below, decimals, true) +
                  Text(u" and ") + c.Number(grim.above, decimals, true));
        return;
    }
    c.Add(mean, FigureKind::Grim, FigureVerdict::Consistent,
          meanText + Text(u" with ") + nText + Text(u" can be a mean of ") + scores);
    if (!sd || count < 2)
        return;
    const bool possible = Grimmer(written, c.Range(sd->value), count, items);
    c.Add(*sd, FigureKind::Grimmer,
          possible ? FigureVerdict::Consistent : FigureVerdict::Inconsistent,
          c.Echo(*sd) + (possible ? Text(u" can come from ") : Text(u" cannot come from ")) +
              scores + Text(u" with ") + meanText + Text(u" and ") + nText);
}

} // namespace engine

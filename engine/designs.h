#pragma once

#include "engine/distributions.h"
#include "engine/rounding.h"

#include <optional>

namespace engine {

// What a test statistic implies for the figures reported beside it, each over the rounding
// intervals of the figures it is computed from: effect sizes of the standard designs, the ratio
// b / SE, and the whole-number checks of means and SDs.

// An interval's image under an increasing function.
Interval Increasing(Interval x, double (*f)(double));

// Cohen's d from |t| with df: paired d_z = t / √(df + 1); independent groups of n1 and n2,
// d = t·√(1/n1 + 1/n2); equal groups, d = 2t / √(df + 2); Hedges' correction
// J(df) = 1 − 3 / (4·df − 1).
Interval DzFromT(Interval absT, double df);
Interval DFromT(Interval absT, double n1, double n2);
Interval DEqualGroupsFromT(Interval absT, double df);
double HedgesJ(double df);

// η²p (and R² of a regression) = F·df1 / (F·df1 + df2); ω²p = (F − 1)·df1 / (F·df1 + df2 + 1)
// of a one-way design, negative below F = 1.
Interval EtaSquaredFromF(Interval f, double df1, double df2);
Interval OmegaSquaredFromF(Interval f, double df1, double df2);

// φ = √(χ² / N); Cramér's V = √(χ² / (N·m)) for a table whose smaller side has m + 1 levels.
Interval PhiFromChiSquare(Interval chiSquare, double n, double m = 1);

// b / SE over both intervals (SE above 0).
std::optional<Interval> Ratio(Interval b, Interval se);

// GRIM: whether a mean of n whole-number scores (each the sum of `items` whole-number items, the
// mean taken per item) can round to the written mean; the nearest means that can, below and
// above, where it cannot.
struct GrimResult {
    bool possible;
    double below, above;
};
GrimResult Grim(Interval mean, int n, int items);
// GRIMMER: whether some sum that GRIM allows, with an SD in the written SD's interval, gives a
// whole sum of squares of the right parity (a whole number's square has its parity).
bool Grimmer(Interval mean, Interval sd, int n, int items);

} // namespace engine

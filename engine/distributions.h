#pragma once

#include "engine/rounding.h"

#include <optional>

namespace engine {

// The p of a test statistic and the confidence limits of effect sizes, from their distributions.

// p of |t| with df degrees of freedom, one- or two-tailed; of chi-square with df (one unless
// given); of F with df1 and df2 degrees of freedom (its upper tail); of |z|, one- or two-tailed.
double PFromT(double absT, double df, bool oneTailed);
double PFromChiSquare(double chiSquare, double df = 1);
double PFromZ(double absZ, bool oneTailed);
// p of |r| with df degrees of freedom, through t = r·√(df / (1 − r²)); 0 for a perfect r.
double PFromR(double absR, double df, bool oneTailed);
double PFromF(double f, double df1, double df2);
// t = r·√(df / (1 − r²)) of |r| with df degrees of freedom; infinite for a perfect r.
double TFromR(double absR, double df);

// The confidence limits of the noncentrality for a typed t (95%), from the noncentral t; none
// where they cannot be computed.
std::optional<Interval> NoncentralityLimits(double t, double df);
std::optional<Interval> Scaled(std::optional<Interval> limits, double factor);

// η² = F·df1 / (F·df1 + df2) of an F test, and its 90% confidence limits: the noncentralities λ
// at which the typed F cuts off .05 above and .05 below, each as λ / (λ + df2) (F = λ / df1). A
// limit is 0 where F cuts off less even without noncentrality; none where they cannot be computed.
double EtaSquared(double f, double df1, double df2);
std::optional<Interval> EtaSquaredLimits(double f, double df1, double df2);

// The 95% limits of a correlation from Fisher's z with N cases; none where r is ±1 or N is 3 or
// less, where z or its standard error has no value.
std::optional<Interval> FisherZLimits(double r, double n);

} // namespace engine

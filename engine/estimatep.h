#pragma once

#include "engine/designs.h"
#include "engine/pformat.h"

#include <optional>

namespace engine {

// Papers often set an estimate with its confidence interval before a test statistic and give
// the estimate's p ("β = 0.040, 95% CI = [0.010, 0.070], F(2, 5000) = 9.50, p = .009"). Where a
// p does not fit its statistic but fits such an interval, it is the estimate's p, not a wrong
// one.

struct EstimateInterval {
    Text estimate, lower, upper; // as written
    int level = 95;
};

// The estimate and interval written between `from` and `to` (the last such pair), if the
// reported p (its rounding interval) fits the two-tailed p that the interval implies, by the
// normal approximation.
std::optional<EstimateInterval> PFitsEstimateBefore(TextView text, Index from, Index to,
                                                    Interval reportedP, bool decimalComma);

} // namespace engine

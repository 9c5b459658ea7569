#pragma once

#include "checks/checkfigures.h"

#include <QStringView>
#include <optional>

// Papers often set an estimate with its confidence interval before a test statistic and give
// the estimate's p ("β = 0.020, 95% CI = [0.004, 0.035], F(3, 3291) = 6.74, p = .016"). Where a
// p does not fit its statistic but fits such an interval, it is the estimate's p, not a wrong
// one.

struct EstimateInterval {
    QString estimate, lower, upper; // as written
    int level = 95;
};

// The estimate and interval written between `from` and `to` (the last such pair), if the
// reported p (its rounding interval) fits the two-tailed p that the interval implies, by the
// normal approximation.
std::optional<EstimateInterval> PFitsEstimateBefore(QStringView text, qsizetype from, qsizetype to,
                                                    Interval reportedP, bool decimalComma);

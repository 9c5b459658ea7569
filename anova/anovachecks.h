#pragma once

#include "anova/anovareport.h"
#include "checks/checkfigures.h"

// p against F, F against the groups' means, SDs and sizes, and η² with its 90% interval, for
// fields that passed the window's checks.
Findings CheckAnovaFigures(const AnovaFields &fields);

// The least and the greatest between-groups sum of squares, Σ n(M − M̄)² with M̄ the
// size-weighted mean of the means, while each mean ranges over its interval.
Interval BetweenGroupsRange(const QList<Interval> &means, const QList<double> &sizes);

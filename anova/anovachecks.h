#pragma once

#include "anova/anovareport.h"
#include "checks/checkfigures.h"

// p against F, F against the groups' means, SDs and sizes, and η² with its 90% interval, for
// fields that passed the window's checks.
Findings CheckAnovaFigures(const AnovaFields &fields);

// F from the groups' means, SDs and sizes as typed: the between-groups mean square over the
// within-groups one, with the grand mean weighted by size. None where it cannot be formed.
std::optional<double> FFromGroups(const QList<AnovaGroup> &groups);

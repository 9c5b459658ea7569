#pragma once

#include "checks/checkfigures.h"
#include "ttestdep/ttestdepreport.h"

// p against t, whether the means, SDs, N and t can all be right, and d_z with its 95% interval,
// for fields that passed the window's checks.
Findings CheckTTestDepFigures(const TTestDepFields &fields);

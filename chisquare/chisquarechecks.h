#pragma once

#include "checks/checkfigures.h"
#include "chisquare/chisquarereport.h"

// p against chi-square, chi-square against N, the counts against N, and phi, for fields that
// passed the window's checks.
Findings CheckChiSquareFigures(const ChiSquareFields &fields);

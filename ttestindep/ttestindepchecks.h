#pragma once

#include "checks/checkfigures.h"
#include "ttestindep/ttestindepreport.h"

// p against t, t against the means, SDs and sizes (Student's and Welch's), and d with its 95%
// interval, for fields that passed the window's checks.
Findings CheckTTestIndepFigures(const TTestIndepFields &fields);

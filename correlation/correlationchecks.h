#pragma once

#include "checks/checkfigures.h"
#include "correlation/correlationreport.h"

// p against r, and r with its 95% interval and r², for fields that passed the window's checks.
Findings CheckCorrelationFigures(const CorrelationFields &fields);

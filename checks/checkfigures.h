#pragma once

// What the figure checks share: their findings, the rounding interval a typed figure stands
// for, the p of a test statistic and the strip's number formats.

#include "checks/distributions.h"
#include "checks/findings.h"
#include "checks/pformat.h"
#include "checks/rounding.h"

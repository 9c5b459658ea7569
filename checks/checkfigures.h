#pragma once

// What the figure checks share: their findings, the rounding interval a typed figure stands
// for, the p of a test statistic, what a statistic implies for the figures beside it and the
// strip's number formats.

#include "checks/findings.h"
#include "checks/pformat.h"
#include "checks/rounding.h"
#include "engine/designs.h"
#include "engine/distributions.h"

using engine::DEqualGroupsFromT;
using engine::DFromT;
using engine::DzFromT;
using engine::EtaSquared;
using engine::EtaSquaredFromF;
using engine::EtaSquaredLimits;
using engine::FisherZLimits;
using engine::HedgesJ;
using engine::Increasing;
using engine::NoncentralityLimits;
using engine::OmegaSquaredFromF;
using engine::PFromChiSquare;
using engine::PFromF;
using engine::PFromR;
using engine::PFromT;
using engine::PFromZ;
using engine::PhiFromChiSquare;
using engine::Scaled;
using engine::TFromR;

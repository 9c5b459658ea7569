#pragma once

#include "engine/textreader.h"

#include <optional>
#include <vector>

namespace engine {

// The figures of a result besides its statistic and p, as authors and converters write them:
// "d = 0.45", "Cohen's d = 0.45", "d_z = 0.34", "ηp2 = .12", "η p 2 = .12", "partial η² = .12",
// "R² = .30", "φ = .21", "Cramér's V = .16", "b = 0.30", "β = 0.30", "SE = 0.10",
// "OR = 2.50", "95% CI [0.10, 0.50]", "N = 80", "n = 40 per group", "n₁ = 38", "M = 3.47",
// "SD = 1.20".

namespace figurereading {

enum class Name {
    D,
    Dz,
    Dav,
    G,
    EtaPartial,
    Eta,
    OmegaPartial,
    RSquared,
    SmallRSquared,
    Phi,
    V,
    Estimate,
    StandardError,
    Ratio,
    TotalN,
    SmallN,
    GroupN1,
    GroupN2,
    Mean,
    Sd,
    Interval
};

struct Figure {
    Name name;
    Index begin, end; // from the name to the end of the value (or the interval's bracket)
    ScannedFigure value;
    // An interval's limits and level.
    ScannedFigure lower, upper;
    int level = 95;
    // "n = 40 per group", "n = 40 each".
    bool perGroup = false;
};

// An interval's limits at `i`: "[0.10, 0.50]", "(0.10; 0.50)", each a figure read by `rules`.
std::optional<std::pair<ScannedFigure, ScannedFigure>>
ReadLimits(const textreading::Reader &reader, Index i, textreading::FigureRules rules);

// Every such figure between `from` and `to`, in the text's order.
std::vector<Figure> ReadFigures(const textreading::Reader &reader, Index from, Index to);

// Whether a word in [from, to) names a design whose two measures come from the same people:
// "paired", "within-subjects", "repeated measures", "dependent".
bool NamesPairedDesign(const textreading::Reader &reader, Index from, Index to);
// Whether it names a one-way design.
bool NamesOneWayDesign(const textreading::Reader &reader, Index from, Index to);

} // namespace figurereading

} // namespace engine

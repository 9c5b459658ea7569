#pragma once

#include "engine/scanner.h"
#include "engine/textcheck.h"

#include <functional>
#include <vector>

namespace engine {

// A result's other figures, read from its own stretch of text and checked against its
// statistic: effect sizes, confidence intervals, b with its SE, the sample size against the
// degrees of freedom and, where the user says the scores are whole numbers, GRIM and GRIMMER.

// From the end of the result before (or the sentence's start) to the start of the next result
// (or the sentence's end), and the sentence itself.
struct Stretch {
    Index begin, end, sentenceBegin, sentenceEnd;
};

using PlaceOf = std::function<TextPlace(Index begin, Index end)>;

std::vector<FigureFinding> CheckFigures(TextView text, const ScannedResult &result,
                                        const FoundResult &found, const Stretch &stretch,
                                        const CheckSettings &settings, bool decimalComma,
                                        const PlaceOf &place);

} // namespace engine

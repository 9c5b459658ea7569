#pragma once

#include "engine/designs.h"
#include "engine/pformat.h"
#include "engine/scanner.h"
#include "engine/tails.h"

namespace engine {

// The verdict on one result: its p against the p its statistic gives, read with the tails the
// text gives it, and the message in the strip's words.

struct Judged {
    Verdict verdict;
    Text message;
    double computedP;
    Interval range;
    int tails;
};

// A figure in the scanner's plain notation; NaN where it is no finite number.
double ReadPlain(const ScannedFigure &figure);

// What the text around a result says of it.
struct ResultContext {
    TailsReading::Said said;
    bool oneTailedAnywhere = false;
    // A correction for multiple comparisons named in its paragraph or elsewhere in the text.
    TailsReading::Correction correction = TailsReading::Correction::None;
    // Where the result's own stretch of text starts: its sentence's start or the end of the
    // result before it, whichever is later.
    Index stretchBegin = 0;
};

// `alpha` in the manuscripts' notation (".05"); figures are echoed in the text's own notation,
// with decimal commas where it writes them.
Judged JudgeResult(TextView text, const ScannedResult &result, const ResultContext &context,
                   TextView alpha, bool decimalComma);

// "t(38) = 2.10", "χ²(1, N = 100) = 4.32": a result's statistic as its messages write it.
Text ResultStatistic(TextView text, const ScannedResult &result, bool decimalComma);
// The notation a text's messages are written in: English, or with decimal commas.
const Notation &TextNotation(bool decimalComma);

} // namespace engine

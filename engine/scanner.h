#pragma once

#include "engine/designs.h"
#include "engine/pformat.h"
#include "engine/textcheck.h"

namespace engine {

// The scanner's half of the text check: where each result stands and its parts as written,
// before any p is computed. One pass over the text, each candidate read with a bounded
// look-ahead, so that no text can make it slow.

// A figure where it stands, and the same in plain notation ("-2.10", "1224.08", "3.6e-6"): ASCII
// digits, "-" for any minus, no group separators, a leading zero kept only if written.
struct ScannedFigure {
    Index begin = -1, end = -1;
    Text plain;
    bool present() const { return begin >= 0; }
};

struct ScannedResult {
    TestKind test = TestKind::T;
    // From the statistic's symbol to the end of its p; to the end of the statistic where several
    // statistics share one p ("ps < .001").
    Index begin = 0, end = 0;
    // Where the symbol ends: "Q-within" is named as written.
    Index symbolEnd = 0;
    ScannedFigure df1, df2, n, statistic, p;
    Text statisticComparison; // "=", "<", ">"
    PComparison pComparison = PComparison::Equal;
    Text pComparisonName; // "=", "<", ">", "<=", ">=", "ns"
    // A correlation given with its N ("r(N = 100) = .32", "r = .32, N = 100"): df = N - 2.
    bool dfFromN = false;
    // Spearman's rank correlation, whose p is read through the t approximation.
    bool spearman = false;
};

struct Scan {
    std::vector<ScannedResult> results;
    // p values with no statistic: begin and end of each.
    std::vector<std::pair<Index, Index>> loneP;
    // Whether the text writes its figures with decimal commas ("p = ,042"), and was read so.
    bool decimalComma = false;
};

Scan ScanText(TextView text);

} // namespace engine

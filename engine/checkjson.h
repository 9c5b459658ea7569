#pragma once

#include "engine/textcheck.h"

#include <string>

// A check as JSON (UTF-8), in the command line's form for one text: "pValuesWithoutStatistic"
// and "results", each result with its place, quote, figures, verdict, message and findings.
// The page's worker adds the totals line and the copy's two flavours. Without `figures`, a
// result's numbers (df, N, the computed p and its range) are left out: the page shows none of
// them, and writing a double costs the browser's C library more than the rest of a result.

namespace engine {

std::string CheckJson(const TextCheck &check, const Text &totalsLine, const Text &copyPlain,
                      const Text &copyHtml, bool figures = true);

} // namespace engine

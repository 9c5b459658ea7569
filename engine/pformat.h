#pragma once

#include "engine/rounding.h"

#include <optional>

// The number formats of the checks' messages, and how a reported p stands against the p its
// statistic gives.

namespace engine {

// A computed p as the messages show it: two significant digits, no leading zero, "< .0001" below
// that. Beside a written p below .0001, "<" only a decade below the written p, so that a lost
// zero shows; in E notation when the written p is; and when `apart`, with as many more digits as
// it takes for the two not to read alike.
Text FormatP(double p, TextView typedP, bool apart, const Notation &notation);
// `decimals` decimals, never "-0.00", its minus sign "−" where the notation's is "-".
Text FormatFixed(double value, int decimals, const Notation &notation);
// A figure without the zero before its decimal point (".45", "−.45").
Text WithoutLeadingZero(Text text, const Notation &notation);
// A written figure as the messages echo it: trimmed, its minus signs those of the computed
// figures, so that a line has one minus sign.
Text EchoFigure(TextView text, const Notation &notation);

// How a p is reported: exactly, as a bound, or as "ns" (not below alpha).
enum class PComparison { Equal, Less, Greater, LessOrEqual, GreaterOrEqual, NotSignificant };

// How a reported p stands against the p its statistic gives, over the statistic's rounding
// interval. `gives` reads "t(38) = 2.10 gives p = .042 (two-tailed)", `against` ", not .02" and
// `decisionNote` " — at α = .05 the result would not be significant" where the conclusion at
// alpha changes; `style` a note on a p that agrees but reads wrongly ("p = .000"). `relation`
// is how p stands to the shown p: "=", or "<" and ">" for a statistic reported as a bound.
struct PJudgement {
    bool agree = false;
    bool decisionFlips = false;
    Text gives, against, decisionNote;
    std::optional<Text> style;
};
PJudgement JudgeP(TextView statistic, Interval pOfStatistic, double pAtTyped, bool oneTailed,
                  bool withTails, PComparison comparison, TextView pText, TextView alphaText,
                  const Notation &notation, TextView relation = u"=");

} // namespace engine

#pragma once

#include "engine/text.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace engine {

// Finds every reported test result in running text (t, F, r, chi-square, z and Q, each with its
// p) and checks the p against the p its statistic gives, by the same rules as the windows'
// figure checks. Texts are read in the notation of English manuscripts ("1,224.08", ".04",
// "3.6 × 10⁻⁶") whatever the user's regional format. Safe to call from several threads at once.

enum class TestKind { T, F, R, ChiSquare, Z, Q };
enum class Verdict { Consistent, Inconsistent, Decision, ConsistentOneTailed, Unchecked };

// Where a piece stands in the text: offset and length in UTF-16 code units, line and column from
// 1 (the column also in code units). Line ends are \n, \r\n, \r, U+2028 and U+2029.
struct TextPlace {
    Index offset = 0, length = 0;
    int line = 1, column = 1;
};

// A figure reported with a result (an effect size, a confidence interval, b and its SE, the
// sample size against the degrees of freedom, a mean under GRIM or GRIMMER), checked against the
// result's statistic.
enum class FigureKind { EffectSize, Interval, BSe, DfN, Grim, Grimmer };
enum class FigureVerdict { Consistent, Inconsistent, Unchecked };

struct FigureFinding {
    TextPlace place;
    Text quote; // the figure as it stands in the text, line ends as blanks
    FigureKind kind = FigureKind::EffectSize;
    FigureVerdict verdict = FigureVerdict::Unchecked;
    // In the strip's words: "d_z = 0.90 does not fit t(38) = 2.10: a paired design gives
    // d_z = 0.34", or why the figure could not be checked.
    Text message;
};

struct FoundResult {
    TextPlace place;
    // The result as it stands in the text, from its statistic to its p, line ends as blanks.
    Text quote;
    TestKind test = TestKind::T;
    // Degrees of freedom and N as written (empty where absent) and as read.
    Text df1Text, df2Text, nText;
    std::optional<double> df1, df2, n;
    Text statisticComparison; // "=", "<" or ">"
    Text statistic;           // as written
    Text pComparison;         // "=", "<", ">", "<=", ">=" or "ns"
    Text p;                   // as written; empty for "ns"
    // The p the statistic gives at its written value, and over its rounding interval; none when
    // unchecked.
    std::optional<double> computedP;
    std::optional<double> computedPLow, computedPHigh;
    int tails = 2; // 1 or 2; F, chi-square and Q have their one (upper) tail and say 1
    Verdict verdict = Verdict::Unchecked;
    // In the strip's words: "t(38) = 2.10 gives p = .042 (two-tailed), not .02", or why the
    // result could not be checked.
    Text message;
    // The result's other figures, in the text's order.
    std::vector<FigureFinding> findings;
};

struct TextCheck {
    std::vector<FoundResult> results; // in the text's order
    // p values that stand with no statistic, so that the user sees how much could be checked.
    std::vector<TextPlace> pValuesWithoutStatistic;
};

// How a text is checked. alpha as the user typed it (".05"); a text that is not a number between
// 0 and 1 counts as .05. GRIM and GRIMMER only where the user says the scores are whole numbers
// (or averages of `items` whole-number items).
struct CheckSettings {
    Text alpha = u".05";
    bool wholeNumberScores = false;
    int items = 1;
};
TextCheck CheckText(TextView text, const CheckSettings &settings);
// Whether a text is such a level: strictly between 0 and 1, in the manuscripts' notation (".05",
// "0.05"), blanks around it allowed.
bool IsAlphaLevel(TextView alphaText);

struct VerdictTotals {
    int results = 0, consistent = 0, inconsistent = 0, decision = 0, unchecked = 0;
    int consistentOneTailed = 0; // also counted in consistent
    int pValuesWithoutStatistic = 0;
    // The results' other figures: how many were checked (consistent or inconsistent) and how
    // many of them are inconsistent.
    int figures = 0, figuresInconsistent = 0;
};
// For the engine's check and for the same in other string types.
template <class Check> VerdictTotals CountVerdicts(const Check &check)
{
    VerdictTotals totals;
    totals.results = int(check.results.size());
    totals.pValuesWithoutStatistic = int(check.pValuesWithoutStatistic.size());
    for (const auto &result : check.results) {
        for (const auto &finding : result.findings) {
            if (finding.verdict != FigureVerdict::Unchecked)
                ++totals.figures;
            if (finding.verdict == FigureVerdict::Inconsistent)
                ++totals.figuresInconsistent;
        }
        switch (result.verdict) {
        case Verdict::ConsistentOneTailed:
            ++totals.consistentOneTailed;
            [[fallthrough]];
        case Verdict::Consistent:
            ++totals.consistent;
            break;
        case Verdict::Inconsistent:
            ++totals.inconsistent;
            break;
        case Verdict::Decision:
            ++totals.decision;
            break;
        case Verdict::Unchecked:
            ++totals.unchecked;
            break;
        }
    }
    return totals;
}

// Whether a verdict says that the text needs mending (inconsistent or decision).
bool IsInconsistent(Verdict verdict);

// The check in words. A namespace of their own, so that the adapters' functions of the same names
// in other string types are not made ambiguous by argument-dependent lookup.
namespace words {
// "14 results: 11 consistent, 2 inconsistent, 1 decision error; 3 p values without a statistic"
// (unchecked results named only when there are some), and, where other figures were checked,
// "; 9 figures checked, 1 inconsistent".
Text TotalsLine(const VerdictTotals &totals);

// The names the command line and its JSON use: "consistent", "inconsistent", "decision",
// "consistent-one-tailed", "unchecked"; "t", "F", "r", "chi2", "z", "Q".
Text VerdictName(Verdict verdict);
Text TestName(TestKind test);
// "effect-size", "interval", "b-se", "df-n", "grim", "grimmer"; "consistent", "inconsistent",
// "unchecked".
Text FigureKindName(FigureKind kind);
Text FigureVerdictName(FigureVerdict verdict);
} // namespace words
using namespace words;

// Whether the result or any of its figures needs mending.
template <class Result> bool NeedsMending(const Result &result)
{
    return IsInconsistent(result.verdict) ||
           std::any_of(result.findings.begin(), result.findings.end(),
                       [](const auto &f) { return f.verdict == FigureVerdict::Inconsistent; });
}

} // namespace engine

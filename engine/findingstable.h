#pragma once

#include "engine/textcheck.h"

// How a check's verdicts are put in words, and the table Copy Findings puts on the clipboard.

namespace engine {

namespace words {
// "Consistent", "Consistent (one-tailed)", "Inconsistent", "Decision error", "Unchecked".
Text VerdictWord(Verdict verdict);
} // namespace words
// Whether F8 stops at a result: every one but the consistent ones.
bool NeedsALook(Verdict verdict);
// A figure of a result (an effect size, an interval, ...) takes the look of a result's verdict:
// consistent, inconsistent or unchecked.
Verdict FigureLook(FigureVerdict verdict);
namespace words {
// What a figure is, in the list's words: "effect size", "confidence interval", "b and its SE",
// "df against N", "GRIM", "GRIMMER".
Text FigureKindWord(FigureKind kind);
// "Inconsistent effect size": how a figure's row is read and copied, as a result's by its
// verdict.
Text FigureWords(FigureVerdict verdict, FigureKind kind);
} // namespace words

// The totals, then a table of verdict, result and finding: a row for each result and one for
// each of its figures, as plain text (tab-separated) and as HTML for word processors.
class FindingsTable {
public:
    explicit FindingsTable(TextView totals);
    void AddResult(Verdict verdict, TextView quote, TextView message);
    void AddFigure(FigureVerdict verdict, FigureKind kind, TextView quote, TextView message);
    Text Plain() const;
    Text Html() const;

private:
    void AddRow(const Text &verdict, TextView quote, TextView message);
    Text m_plain, m_html;
};

// The table of any results with the engine's fields; `view(field)` gives a text field as a view.
template <class Results, class View>
FindingsTable TableOf(TextView totals, const Results &results, View view)
{
    FindingsTable table(totals);
    for (const auto &result : results) {
        table.AddResult(result.verdict, view(result.quote), view(result.message));
        for (const auto &figure : result.findings)
            table.AddFigure(figure.verdict, figure.kind, view(figure.quote), view(figure.message));
    }
    return table;
}

} // namespace engine

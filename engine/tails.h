#pragma once

#include "engine/text.h"

#include <functional>
#include <vector>

namespace engine {

// How many tails a text gives each result. A result is read one-tailed only where its own
// sentence says so, or one of the two sentences before it in the same paragraph names a test
// one-tailed with no result reported between. A paragraph ends at every line end.

struct TailsMention {
    Index at;
    int tails;
};

class TailsReading {
public:
    explicit TailsReading(TextView text);

    enum class Where { Nowhere, OwnSentence, SentenceBefore, Paragraph };
    struct Said {
        int tails = 0; // 0 where nothing is said
        Where where = Where::Nowhere;
    };
    // For a result from begin to end. `reportsOther(from, to)` tells whether a result other than
    // this one (not merely restated) stands there: a sentence that reports its own result lends
    // its tails to no later one.
    Said TailsOf(Index begin, Index end,
                 const std::function<bool(Index, Index)> &reportsOther) const;
    // Whether the text says one-tailed anywhere ("one-tailed t tests were used").
    bool SaysOneTailed() const { return m_oneTailed; }
    // Where the sentence that holds `at` starts, and where it ends (its last character's end).
    Index SentenceStart(Index at) const;
    Index SentenceEnd(Index at) const;
    // Whether the paragraph of the result at `at`, or else the text, names a correction for
    // multiple comparisons ("Bonferroni", "Holm", "FDR", "Tukey's HSD", "adjusted",
    // "corrected"), whose p values are larger than their statistics give.
    enum class Correction { None, InParagraph, InText };
    Correction NamesCorrection(Index at) const;

private:
    std::vector<Index> m_sentenceEnds, m_paragraphEnds;
    Index m_size = 0;
    std::vector<TailsMention> m_mentions;
    std::vector<Index> m_corrections, m_correctionWords;
    bool m_oneTailed = false;
};

} // namespace engine

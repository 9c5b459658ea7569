// The text check's scanner and verdicts under arbitrary text, read as UTF-8 and again as
// UTF-16LE (lone surrogates included). Properties: every place lies in the text and quotes what
// stands there, results come in the text's order without overlapping, a checked result has a p
// within its range, and the totals add up.
#include "fuzzcheck.h"
#include "textcheck/textcheck.h"

#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace {
Tally tally{"texts"};

void Check(const QString &text)
{
    ++tally.tried;
    const TextCheck check = CheckText(text);
    qsizetype previousEnd = 0;
    for (const FoundResult &r : check.results) {
        const TextPlace &at = r.place;
        FUZZ_CHECK(at.offset >= previousEnd && at.length > 0 &&
                       at.offset + at.length <= text.size(),
                   text);
        previousEnd = at.offset + at.length;
        FUZZ_CHECK(r.quote.size() == at.length && at.line >= 1 && at.column >= 1, text);
        FUZZ_CHECK(!r.statistic.isEmpty() && (r.pComparison == u"ns"_s) == r.p.isEmpty(), text);
        FUZZ_CHECK(r.tails == 1 || r.tails == 2, text);
        FUZZ_CHECK(!r.message.isEmpty(), text);
        if (r.verdict == Verdict::Unchecked)
            continue;
        FUZZ_CHECK(r.computedP && r.computedPLow && r.computedPHigh, text);
        FUZZ_CHECK(*r.computedPLow >= 0 && *r.computedPHigh <= 1 &&
                       *r.computedPLow <= *r.computedPHigh,
                   text);
    }
    for (const TextPlace &p : check.pValuesWithoutStatistic)
        FUZZ_CHECK(p.offset >= 0 && p.length > 0 && p.offset + p.length <= text.size(), text);
    const VerdictTotals totals = CountVerdicts(check);
    FUZZ_CHECK(totals.consistent + totals.inconsistent + totals.decision + totals.unchecked ==
                   totals.results,
               text);
    if (!check.results.isEmpty())
        ++tally.passed;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Check(FromUtf8(data, size));
    Check(FromUtf16Le(data, size));
    return 0;
}

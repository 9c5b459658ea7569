// The engine's entry points for the page's worker: a text in, the check as JSON out.
#include "engine/checkjson.h"
#include "engine/findingstable.h"
#include "engine/textcheck.h"

#include <emscripten/emscripten.h>
#include <string>

namespace {
// The worker checks one text at a time: the answer lives until the next.
std::string answer;
} // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE const char *kelvaron_check(const char16_t *text, int length,
                                                const char16_t *alpha, int alphaLength,
                                                int wholeNumberScores, int items, int figures)
{
    const engine::TextView view(text, size_t(length));
    const engine::TextCheck check = engine::CheckText(
        view, {engine::Text(alpha, size_t(alphaLength)), wholeNumberScores != 0, items});
    const engine::Text totals = engine::TotalsLine(engine::CountVerdicts(check));
    const engine::FindingsTable table = engine::TableOf(
        totals, check.results, [](const engine::Text &field) { return engine::TextView(field); });
    answer = engine::CheckJson(check, totals, table.Plain(), table.Html(), figures != 0);
    return answer.c_str();
}

// The last answer's length in bytes, so that the worker decodes it without looking for its end.
EMSCRIPTEN_KEEPALIVE int kelvaron_answer_length()
{
    return int(answer.size());
}

EMSCRIPTEN_KEEPALIVE int kelvaron_is_alpha(const char16_t *alpha, int length)
{
    return engine::IsAlphaLevel(engine::TextView(alpha, size_t(length))) ? 1 : 0;
}
}

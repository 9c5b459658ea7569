#pragma once

#include <cstddef>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace engine {

// The two searches that pass over a whole text, eight characters at a step where the processor
// allows it: a long manuscript is mostly words that hold nothing to check.

namespace fastscan {

// The first position from `i` that is not a small ASCII letter, or `n`.
inline std::ptrdiff_t SkipSmallLetters(const char16_t *text, std::ptrdiff_t i, std::ptrdiff_t n)
{
#if defined(__SSE2__)
    const __m128i beforeA = _mm_set1_epi16(u'a' - 1), afterZ = _mm_set1_epi16(u'z' + 1);
    for (; i + 8 <= n; i += 8) {
        // Signed comparisons: characters from U+8000 are negative and so no small letter.
        const __m128i chars = _mm_loadu_si128(reinterpret_cast<const __m128i *>(text + i));
        const __m128i small =
            _mm_and_si128(_mm_cmpgt_epi16(chars, beforeA), _mm_cmplt_epi16(chars, afterZ));
        const int mask = _mm_movemask_epi8(small);
        if (mask != 0xFFFF)
            return i + __builtin_ctz(~mask & 0xFFFF) / 2;
    }
#endif
    while (i < n && text[i] >= u'a' && text[i] <= u'z')
        ++i;
    return i;
}

// Whether a character may be a comparison: "=", "<", ">", "!", "b" and "N" (as a PDF font draws
// "<" and ">"), or any character beyond ASCII ("≤", "≥", "¼", …), for the caller to look at.
inline bool MayCompare(char16_t c)
{
    return c == u'=' || c == u'<' || c == u'>' || c == u'!' || c == u'b' || c == u'N' || c >= 0x80;
}

// The first position from `i` whose character MayCompare, or `n`.
inline std::ptrdiff_t FindMayCompare(const char16_t *text, std::ptrdiff_t i, std::ptrdiff_t n)
{
#if defined(__SSE2__)
    const __m128i equals = _mm_set1_epi16(u'='), less = _mm_set1_epi16(u'<'),
                  greater = _mm_set1_epi16(u'>'), bang = _mm_set1_epi16(u'!'),
                  b = _mm_set1_epi16(u'b'), capitalN = _mm_set1_epi16(u'N'),
                  ascii = _mm_set1_epi16(0x7F);
    for (; i + 8 <= n; i += 8) {
        const __m128i chars = _mm_loadu_si128(reinterpret_cast<const __m128i *>(text + i));
        // Beyond ASCII: above 0x7F as a signed number, or negative.
        const __m128i wide = _mm_or_si128(_mm_cmpgt_epi16(chars, ascii),
                                          _mm_cmplt_epi16(chars, _mm_setzero_si128()));
        const __m128i hit = _mm_or_si128(
            _mm_or_si128(
                _mm_or_si128(_mm_cmpeq_epi16(chars, equals), _mm_cmpeq_epi16(chars, less)),
                _mm_or_si128(_mm_cmpeq_epi16(chars, greater), _mm_cmpeq_epi16(chars, bang))),
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi16(chars, b), _mm_cmpeq_epi16(chars, capitalN)),
                         wide));
        if (const int mask = _mm_movemask_epi8(hit))
            return i + __builtin_ctz(mask) / 2;
    }
#endif
    while (i < n && !MayCompare(text[i]))
        ++i;
    return i;
}

} // namespace fastscan

} // namespace engine

// Fast searches for line breaks in mapped text. Lines are short, so the
// searches look at 16 bytes at a time where the processor allows it; they
// never read at or past `end`. Inline: they run once per line of the file.
#pragma once

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vx::linescan {

inline bool IsBreak(char c) {
    return c == '\n' || c == '\r';
}

// First CR or LF in [p, end), or end.
inline const char* FindBreak(const char* p, const char* end) {
#if defined(__SSE2__)
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i cr = _mm_set1_epi8('\r');
    while (end - p >= 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const int mask =
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(block, lf), _mm_cmpeq_epi8(block, cr)));
        if (mask != 0) return p + __builtin_ctz(static_cast<unsigned>(mask));
        p += 16;
    }
#endif
    while (p < end && !IsBreak(*p))
        ++p;
    return p;
}

// p advanced by n bytes, but never past the end of its line or `end`.
inline const char* WithinLine(const char* p, int n, const char* end) {
    for (int i = 0; i < n && p < end && !IsBreak(*p); ++i)
        ++p;
    return p;
}

// First position i in [p, end) where a CR or LF is directly followed by '0'
// (the start of a level-0 line); returns the position of the '0', or end.
const char* FindRecordStart(const char* p, const char* end);

}  // namespace vx::linescan

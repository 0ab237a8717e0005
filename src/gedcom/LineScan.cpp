#include "gedcom/LineScan.h"

namespace vx::linescan {
const char* FindRecordStart(const char* p, const char* end) {
#if defined(__SSE2__)
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i zero = _mm_set1_epi8('0');
    // Each step tests the breaks at p..p+15 against the bytes one further on.
    while (end - p >= 17) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 1));
        const __m128i breaks = _mm_or_si128(_mm_cmpeq_epi8(block, lf), _mm_cmpeq_epi8(block, cr));
        const int mask = _mm_movemask_epi8(_mm_and_si128(breaks, _mm_cmpeq_epi8(next, zero)));
        if (mask != 0) return p + __builtin_ctz(static_cast<unsigned>(mask)) + 1;
        p += 16;
    }
#endif
    for (; p + 1 < end; ++p)
        if (IsBreak(*p) && p[1] == '0') return p + 1;
    return end;
}

}  // namespace vx::linescan

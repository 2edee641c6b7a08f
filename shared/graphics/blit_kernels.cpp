// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphics/blit_kernels.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace qr {

namespace {

// memmove: a surface may blit a part of itself onto itself.
void CopyOpaque(uint8_t* d, const uint8_t* s, int32_t w, uint8_t) {
    std::memmove(d, s, size_t(w));
}

#if defined(__SSE2__)
// Byte order of a 16-byte block reversed with SSE2 alone: reverse the eight words,
// then swap the two bytes of each word.
inline __m128i Reverse16(__m128i v) {
    v = _mm_shuffle_epi32(v, _MM_SHUFFLE(0, 1, 2, 3));
    v = _mm_shufflelo_epi16(v, _MM_SHUFFLE(2, 3, 0, 1));
    v = _mm_shufflehi_epi16(v, _MM_SHUFFLE(2, 3, 0, 1));
    return _mm_or_si128(_mm_slli_epi16(v, 8), _mm_srli_epi16(v, 8));
}

// Keeps dst where src equals the key: (src & ~m) | (dst & m), m = (src == key).
inline __m128i KeySelect(__m128i s, __m128i d, __m128i key) {
    const __m128i m = _mm_cmpeq_epi8(s, key);
    return _mm_or_si128(_mm_andnot_si128(m, s), _mm_and_si128(m, d));
}
#endif

void CopyKeyed(uint8_t* d, const uint8_t* s, int32_t w, uint8_t key) {
    int32_t i = 0;
#if defined(__SSE2__)
    const __m128i k = _mm_set1_epi8(char(key));
    for (; i + 16 <= w; i += 16) {
        const __m128i sv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
        const __m128i m = _mm_cmpeq_epi8(sv, k);
        const int mask = _mm_movemask_epi8(m);
        if (mask == 0xFFFF) continue; // a fully transparent block: nothing to write
        __m128i* dp = reinterpret_cast<__m128i*>(d + i);
        if (mask == 0) {
            _mm_storeu_si128(dp, sv);
            continue;
        }
        _mm_storeu_si128(dp, KeySelect(sv, _mm_loadu_si128(dp), k));
    }
#endif
    for (; i < w; ++i)
        if (s[i] != key) d[i] = s[i];
}

void CopyMirrored(uint8_t* d, const uint8_t* s, int32_t w, uint8_t) {
    int32_t i = 0;
#if defined(__SSE2__)
    for (; i + 16 <= w; i += 16) {
        const __m128i sv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + w - 16 - i), Reverse16(sv));
    }
#endif
    for (; i < w; ++i)
        d[w - 1 - i] = s[i];
}

void CopyKeyedMirrored(uint8_t* d, const uint8_t* s, int32_t w, uint8_t key) {
    int32_t i = 0;
#if defined(__SSE2__)
    const __m128i k = _mm_set1_epi8(char(key));
    for (; i + 16 <= w; i += 16) {
        const __m128i sv = Reverse16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i)));
        const int mask = _mm_movemask_epi8(_mm_cmpeq_epi8(sv, k));
        if (mask == 0xFFFF) continue;
        __m128i* dp = reinterpret_cast<__m128i*>(d + w - 16 - i);
        if (mask == 0) {
            _mm_storeu_si128(dp, sv);
            continue;
        }
        _mm_storeu_si128(dp, KeySelect(sv, _mm_loadu_si128(dp), k));
    }
#endif
    for (; i < w; ++i)
        if (s[i] != key) d[w - 1 - i] = s[i];
}

} // namespace

TRowCopy SelectRowCopy(bool keyed, bool mirrored) {
    if (keyed) return mirrored ? CopyKeyedMirrored : CopyKeyed;
    return mirrored ? CopyMirrored : CopyOpaque;
}

} // namespace qr

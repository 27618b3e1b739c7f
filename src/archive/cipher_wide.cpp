#include "archive/cipher_wide.h"

#if defined(__x86_64__)

#include <immintrin.h>

// GCC 12 takes the intrinsics' deliberately undefined pass-through values
// for uninitialised variables.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif

#define WIDE_TARGET __attribute__((target("avx512f,avx512bw,avx512vbmi")))

namespace {

struct Sbox {
    __m512i part[4];  // entries 0..63, 64..127, 128..191, 192..255
};

// One group: the four words of sixteen blocks, or of their keys.
struct Group {
    __m512i w[4];
};

// Within each 128-bit lane, a 4x4 transpose of 32-bit words. Loaded from
// sixteen consecutive blocks, register w then holds word w of every block
// (lane L of register i started as block 4i + L); the transpose is its own
// inverse, so it also puts the words back into their blocks.
WIDE_TARGET inline void transpose(Group& g) {
    __m512i t0 = _mm512_unpacklo_epi32(g.w[0], g.w[1]);
    __m512i t1 = _mm512_unpackhi_epi32(g.w[0], g.w[1]);
    __m512i t2 = _mm512_unpacklo_epi32(g.w[2], g.w[3]);
    __m512i t3 = _mm512_unpackhi_epi32(g.w[2], g.w[3]);
    g.w[0] = _mm512_unpacklo_epi64(t0, t2);
    g.w[1] = _mm512_unpackhi_epi64(t0, t2);
    g.w[2] = _mm512_unpacklo_epi64(t1, t3);
    g.w[3] = _mm512_unpackhi_epi64(t1, t3);
}

WIDE_TARGET inline Group loadGroup(const void* from) {
    const auto* p = static_cast<const uint8_t*>(from);
    Group g;
    for (int i = 0; i < 4; i++) g.w[i] = _mm512_loadu_si512(p + 64 * i);
    transpose(g);
    return g;
}

WIDE_TARGET inline void storeGroup(Group g, uint8_t* to) {
    transpose(g);
    for (int i = 0; i < 4; i++) _mm512_storeu_si512(to + 64 * i, g.w[i]);
}

// Every byte through the table: the low seven bits pick from two halves,
// the top bit picks the half.
WIDE_TARGET inline __m512i substitute(__m512i x, const Sbox& s) {
    __m512i low = _mm512_permutex2var_epi8(s.part[0], x, s.part[1]);
    __m512i high = _mm512_permutex2var_epi8(s.part[2], x, s.part[3]);
    return _mm512_mask_blend_epi8(_mm512_movepi8_mask(x), low, high);
}

// The rounds from 31 down to 0 on consecutive groups; one loop, so that
// the groups' chains of dependent instructions interleave.
template <size_t Groups>
WIDE_TARGET void decipherGroups(uint8_t* blocks, const uint32_t (*keys)[4], const Sbox& s) {
    Group key[Groups], text[Groups];
    __m512i a[Groups], b[Groups], c[Groups], d[Groups];
    for (size_t g = 0; g < Groups; g++) {
        key[g] = loadGroup(keys + g * kWideGroup);
        text[g] = loadGroup(blocks + g * kWideGroup * 16);
        a[g] = _mm512_xor_si512(text[g].w[0], key[g].w[0]);
        b[g] = _mm512_xor_si512(text[g].w[1], key[g].w[1]);
        c[g] = _mm512_xor_si512(text[g].w[2], key[g].w[2]);
        d[g] = _mm512_xor_si512(text[g].w[3], key[g].w[3]);
    }
#pragma GCC unroll 4
    for (int r = 31; r >= 0; r--) {
        for (size_t g = 0; g < Groups; g++) {
            __m512i k = key[g].w[r & 3];
            __m512i x = _mm512_xor_si512(_mm512_add_epi32(c[g], _mm512_rol_epi32(d[g], 11)), k);
            __m512i y = _mm512_add_epi32(_mm512_xor_si512(d[g], _mm512_rol_epi32(c[g], 17)), k);
            __m512i ta = _mm512_xor_si512(a[g], substitute(x, s));
            __m512i tb = _mm512_xor_si512(b[g], substitute(y, s));
            a[g] = c[g];
            b[g] = d[g];
            c[g] = ta;
            d[g] = tb;
        }
    }
    for (size_t g = 0; g < Groups; g++) {
        Group out{{_mm512_xor_si512(c[g], key[g].w[0]), _mm512_xor_si512(d[g], key[g].w[1]),
                   _mm512_xor_si512(a[g], key[g].w[2]), _mm512_xor_si512(b[g], key[g].w[3])}};
        storeGroup(out, blocks + g * kWideGroup * 16);
    }
}

}  // namespace

bool canDecipherWide() {
    return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
           __builtin_cpu_supports("avx512vbmi");
}

WIDE_TARGET void decipherWide(uint8_t* blocks, const uint32_t (*keys)[4], size_t count,
                              const uint8_t* sbox) {
    Sbox s;
    for (int i = 0; i < 4; i++) s.part[i] = _mm512_loadu_si512(sbox + 64 * i);
    size_t n = 0;
    for (; n + 2 * kWideGroup <= count; n += 2 * kWideGroup)
        decipherGroups<2>(blocks + n * 16, keys + n, s);
    if (n < count) decipherGroups<1>(blocks + n * 16, keys + n, s);
}

#else

bool canDecipherWide() {
    return false;
}

void decipherWide(uint8_t*, const uint32_t (*)[4], size_t, const uint8_t*) {}

#endif

#include "archive/cipher_wide.h"

#if defined(__x86_64__)

#include <immintrin.h>

// GCC 12 takes the intrinsics' deliberately undefined pass-through values
// for uninitialised variables.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif

#define VBMI_TARGET __attribute__((target("avx512f,avx512bw,avx512vbmi")))
#define AVX2_TARGET __attribute__((target("avx2")))

namespace {

// Sixteen blocks per register.
namespace vbmi {

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
VBMI_TARGET inline void transpose(Group& g) {
    __m512i t0 = _mm512_unpacklo_epi32(g.w[0], g.w[1]);
    __m512i t1 = _mm512_unpackhi_epi32(g.w[0], g.w[1]);
    __m512i t2 = _mm512_unpacklo_epi32(g.w[2], g.w[3]);
    __m512i t3 = _mm512_unpackhi_epi32(g.w[2], g.w[3]);
    g.w[0] = _mm512_unpacklo_epi64(t0, t2);
    g.w[1] = _mm512_unpackhi_epi64(t0, t2);
    g.w[2] = _mm512_unpacklo_epi64(t1, t3);
    g.w[3] = _mm512_unpackhi_epi64(t1, t3);
}

VBMI_TARGET inline Group loadGroup(const void* from) {
    const auto* p = static_cast<const uint8_t*>(from);
    Group g;
    for (int i = 0; i < 4; i++) g.w[i] = _mm512_loadu_si512(p + 64 * i);
    transpose(g);
    return g;
}

VBMI_TARGET inline void storeGroup(Group g, uint8_t* to) {
    transpose(g);
    for (int i = 0; i < 4; i++) _mm512_storeu_si512(to + 64 * i, g.w[i]);
}

// Every byte through the table: the low seven bits pick from two halves,
// the top bit picks the half.
VBMI_TARGET inline __m512i substitute(__m512i x, const Sbox& s) {
    __m512i low = _mm512_permutex2var_epi8(s.part[0], x, s.part[1]);
    __m512i high = _mm512_permutex2var_epi8(s.part[2], x, s.part[3]);
    return _mm512_mask_blend_epi8(_mm512_movepi8_mask(x), low, high);
}

// The rounds from 31 down to 0 on consecutive groups; one loop, so that
// the groups' chains of dependent instructions interleave.
template <size_t Groups>
VBMI_TARGET void decipherGroups(uint8_t* blocks, const uint32_t (*keys)[4], const Sbox& s) {
    Group key[Groups], text[Groups];
    __m512i a[Groups], b[Groups], c[Groups], d[Groups];
    for (size_t g = 0; g < Groups; g++) {
        key[g] = loadGroup(keys + g * 16);
        text[g] = loadGroup(blocks + g * 16 * 16);
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
        storeGroup(out, blocks + g * 16 * 16);
    }
}

VBMI_TARGET void decipher(uint8_t* blocks, const uint32_t (*keys)[4], size_t count,
                          const uint8_t* sbox) {
    Sbox s;
    for (int i = 0; i < 4; i++) s.part[i] = _mm512_loadu_si512(sbox + 64 * i);
    size_t n = 0;
    for (; n + 32 <= count; n += 32) decipherGroups<2>(blocks + n * 16, keys + n, s);
    if (n < count) decipherGroups<1>(blocks + n * 16, keys + n, s);
}

}  // namespace vbmi

// Eight blocks per register; the same steps as above.
namespace avx2 {

struct Sbox {
    __m256i row[16];     // entries 16j..16j+15, in both halves of row j
    __m256i offset[16];  // 16j in every byte
};

struct Group {
    __m256i w[4];
};

// As vbmi::transpose, with two lanes: lane L of register i started as
// block 2i + L.
AVX2_TARGET inline void transpose(Group& g) {
    __m256i t0 = _mm256_unpacklo_epi32(g.w[0], g.w[1]);
    __m256i t1 = _mm256_unpackhi_epi32(g.w[0], g.w[1]);
    __m256i t2 = _mm256_unpacklo_epi32(g.w[2], g.w[3]);
    __m256i t3 = _mm256_unpackhi_epi32(g.w[2], g.w[3]);
    g.w[0] = _mm256_unpacklo_epi64(t0, t2);
    g.w[1] = _mm256_unpackhi_epi64(t0, t2);
    g.w[2] = _mm256_unpacklo_epi64(t1, t3);
    g.w[3] = _mm256_unpackhi_epi64(t1, t3);
}

AVX2_TARGET inline Group loadGroup(const void* from) {
    const auto* p = static_cast<const uint8_t*>(from);
    Group g;
    for (int i = 0; i < 4; i++) {
        g.w[i] = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 32 * i));
    }
    transpose(g);
    return g;
}

AVX2_TARGET inline void storeGroup(Group g, uint8_t* to) {
    transpose(g);
    for (int i = 0; i < 4; i++)
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(to + 32 * i), g.w[i]);
}

AVX2_TARGET inline __m256i rol(__m256i x, int n) {
    return _mm256_or_si256(_mm256_slli_epi32(x, n), _mm256_srli_epi32(x, 32 - n));
}

// Every byte looks in every row. A shuffle picks by the low half of its
// index and gives zero where the index's top bit is set; with 16 taken off
// per row and 0x70 added with saturation, the top bit is clear only in the
// byte's own row. The rows are independent and combine in a tree, so the
// shuffles overlap.
AVX2_TARGET inline __m256i substitute(__m256i x, const Sbox& s) {
    const __m256i lift = _mm256_set1_epi8(0x70);
    __m256i found[16];
#pragma GCC unroll 16
    for (int j = 0; j < 16; j++) {
        __m256i inRow = _mm256_sub_epi8(x, s.offset[j]);
        found[j] = _mm256_shuffle_epi8(s.row[j], _mm256_adds_epu8(inRow, lift));
    }
#pragma GCC unroll 4
    for (int width = 8; width > 0; width /= 2) {
#pragma GCC unroll 8
        for (int j = 0; j < width; j++) found[j] = _mm256_xor_si256(found[j], found[j + width]);
    }
    return found[0];
}

template <size_t Groups>
AVX2_TARGET void decipherGroups(uint8_t* blocks, const uint32_t (*keys)[4], const Sbox& s) {
    Group key[Groups], text[Groups];
    __m256i a[Groups], b[Groups], c[Groups], d[Groups];
    for (size_t g = 0; g < Groups; g++) {
        key[g] = loadGroup(keys + g * 8);
        text[g] = loadGroup(blocks + g * 8 * 16);
        a[g] = _mm256_xor_si256(text[g].w[0], key[g].w[0]);
        b[g] = _mm256_xor_si256(text[g].w[1], key[g].w[1]);
        c[g] = _mm256_xor_si256(text[g].w[2], key[g].w[2]);
        d[g] = _mm256_xor_si256(text[g].w[3], key[g].w[3]);
    }
#pragma GCC unroll 4
    for (int r = 31; r >= 0; r--) {
        for (size_t g = 0; g < Groups; g++) {
            __m256i k = key[g].w[r & 3];
            __m256i x = _mm256_xor_si256(_mm256_add_epi32(c[g], rol(d[g], 11)), k);
            __m256i y = _mm256_add_epi32(_mm256_xor_si256(d[g], rol(c[g], 17)), k);
            __m256i ta = _mm256_xor_si256(a[g], substitute(x, s));
            __m256i tb = _mm256_xor_si256(b[g], substitute(y, s));
            a[g] = c[g];
            b[g] = d[g];
            c[g] = ta;
            d[g] = tb;
        }
    }
    for (size_t g = 0; g < Groups; g++) {
        Group out{{_mm256_xor_si256(c[g], key[g].w[0]), _mm256_xor_si256(d[g], key[g].w[1]),
                   _mm256_xor_si256(a[g], key[g].w[2]), _mm256_xor_si256(b[g], key[g].w[3])}};
        storeGroup(out, blocks + g * 8 * 16);
    }
}

AVX2_TARGET void decipher(uint8_t* blocks, const uint32_t (*keys)[4], size_t count,
                          const uint8_t* sbox) {
    Sbox s;
    for (int j = 0; j < 16; j++) {
        s.row[j] = _mm256_broadcastsi128_si256(
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(sbox + 16 * j)));
        s.offset[j] = _mm256_set1_epi8(static_cast<char>(16 * j));
    }
    for (size_t n = 0; n < count; n += 16) decipherGroups<2>(blocks + n * 16, keys + n, s);
}

}  // namespace avx2

}  // namespace

WideRounds bestWideRounds() {
    static const WideRounds best = [] {
        if (__builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
            __builtin_cpu_supports("avx512vbmi")) {
            return WideRounds::Vbmi;
        }
        return __builtin_cpu_supports("avx2") ? WideRounds::Avx2 : WideRounds::None;
    }();
    return best;
}

void decipherWide(WideRounds kind, uint8_t* blocks, const uint32_t (*keys)[4], size_t count,
                  const uint8_t* sbox) {
    if (kind == WideRounds::Vbmi) vbmi::decipher(blocks, keys, count, sbox);
    if (kind == WideRounds::Avx2) avx2::decipher(blocks, keys, count, sbox);
}

#else

WideRounds bestWideRounds() {
    return WideRounds::None;
}

void decipherWide(WideRounds, uint8_t*, const uint32_t (*)[4], size_t, const uint8_t*) {}

#endif

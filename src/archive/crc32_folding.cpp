#include "archive/crc32_folding.h"

#include "archive/crc32.h"

#if defined(__x86_64__)

#include <immintrin.h>

namespace {

// x^T mod P, bit-reflected and shifted left by one, for the distances a
// lane moves: 512 bits (low and high halves) and 128 bits.
constexpr uint64_t kFold512Low = 0x154442bd4;   // x^544
constexpr uint64_t kFold512High = 0x1c6e41596;  // x^480
constexpr uint64_t kFold128Low = 0x1751997d0;   // x^160
constexpr uint64_t kFold128High = 0x0ccaa009e;  // x^96

__attribute__((target("pclmul,sse2"))) inline __m128i fold(__m128i lane, __m128i constants,
                                                           __m128i next) {
    __m128i low = _mm_clmulepi64_si128(lane, constants, 0x00);
    __m128i high = _mm_clmulepi64_si128(lane, constants, 0x11);
    return _mm_xor_si128(_mm_xor_si128(low, high), next);
}

__attribute__((target("sse2"))) inline __m128i load(const uint8_t* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

}  // namespace

bool canFoldCrc() {
    return __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse2");
}

__attribute__((target("pclmul,sse2"))) uint32_t crc32Folded(uint32_t start, const uint8_t* bytes,
                                                            size_t length, const CrcTable& table) {
    const __m128i by512 = _mm_set_epi64x(kFold512High, kFold512Low);
    const __m128i by128 = _mm_set_epi64x(kFold128High, kFold128Low);
    // The running register joins the first four bytes of the message.
    __m128i lane[4] = {_mm_xor_si128(load(bytes), _mm_cvtsi32_si128(static_cast<int>(start))),
                       load(bytes + 16), load(bytes + 32), load(bytes + 48)};
    size_t at = 64;
    for (; at + 64 <= length; at += 64) {
        for (int i = 0; i < 4; i++) lane[i] = fold(lane[i], by512, load(bytes + at + 16 * i));
    }
    __m128i folded = fold(fold(fold(lane[0], by128, lane[1]), by128, lane[2]), by128, lane[3]);
    for (; at + 16 <= length; at += 16) folded = fold(folded, by128, load(bytes + at));
    alignas(16) uint8_t last[16];
    _mm_store_si128(reinterpret_cast<__m128i*>(last), folded);
    uint32_t crc = table.crc32ByTable(0, last, sizeof last);
    return table.crc32ByTable(crc, bytes + at, length - at);
}

#else

bool canFoldCrc() {
    return false;
}

uint32_t crc32Folded(uint32_t start, const uint8_t* bytes, size_t length, const CrcTable& table) {
    return table.crc32ByTable(start, bytes, length);
}

#endif

#include "archive/sample_predictor.h"

#include <algorithm>
#include <cstring>

namespace {

void nudge(int& weight, bool down) {
    if (down && weight >= -16) weight--;
    if (!down && weight < 16) weight++;
}

}  // namespace

void SamplePredictor::reset() {
    for (Channel& v : channels_) v = Channel{};
    crossChannelDelta_ = 0;
}

// The vector helpers below are internal and inline, so the compilers' note
// that passing wide vectors by value depends on the processor does not
// apply.
#pragma GCC diagnostic ignored "-Wpsabi"

namespace {

constexpr uint32_t kSamples = SamplePredictor::kAdaptEvery;

// 16-bit lanes, unsigned so that sums wrap; GCC and Clang turn the
// operators into vector instructions. Lanes fit every x86-64; Wide needs
// AVX2.
using Lanes = uint16_t __attribute__((vector_size(16)));
using SignedLanes = int16_t __attribute__((vector_size(16)));
using Wide = uint16_t __attribute__((vector_size(32)));
using SignedWide = int16_t __attribute__((vector_size(32)));

template <class V>
V load(const int16_t* from) {
    V v;
    std::memcpy(&v, from, sizeof v);
    return v;
}

// |x| of lanes holding signed values.
template <class V, class Signed>
V absoluteOf(V x) {
    V sign = reinterpret_cast<V>(reinterpret_cast<Signed>(x) >> 15);
    return (x ^ sign) - sign;
}
Lanes absolute(Lanes x) {
    return absoluteOf<Lanes, SignedLanes>(x);
}
Wide absolute(Wide x) {
    return absoluteOf<Wide, SignedWide>(x);
}

Lanes foldToLanes(Lanes x) {
    return x;
}
Lanes foldToLanes(Wide x) {
    return __builtin_shufflevector(x, x, 0, 1, 2, 3, 4, 5, 6, 7) +
           __builtin_shufflevector(x, x, 8, 9, 10, 11, 12, 13, 14, 15);
}

// Halves the lanes of a and b that count, adding up pairs: the lanes that
// each summed one vector each now alternate between a and b.
Lanes addPairs(Lanes a, Lanes b, int level) {
    switch (level) {
        case 0:
            return __builtin_shufflevector(a, b, 0, 8, 1, 9, 2, 10, 3, 11) +
                   __builtin_shufflevector(a, b, 4, 12, 5, 13, 6, 14, 7, 15);
        case 1:
            return __builtin_shufflevector(a, b, 0, 1, 8, 9, 2, 3, 10, 11) +
                   __builtin_shufflevector(a, b, 4, 5, 12, 13, 6, 7, 14, 15);
        default:
            return __builtin_shufflevector(a, b, 0, 1, 2, 3, 8, 9, 10, 11) +
                   __builtin_shufflevector(a, b, 4, 5, 6, 7, 12, 13, 14, 15);
    }
}

// Lane j of the result: the sum of the eight lanes of v[j].
[[gnu::always_inline]] inline Lanes sumEach(const Lanes* v) {
    Lanes pairs[4], quads[2];
    for (int i = 0; i < 4; i++) pairs[i] = addPairs(v[2 * i], v[2 * i + 1], 0);
    for (int i = 0; i < 2; i++) quads[i] = addPairs(pairs[2 * i], pairs[2 * i + 1], 1);
    return addPairs(quads[0], quads[1], 2);
}

// Index 0 sums |I|; 2t + 1 and 2t + 2 sum |I - term t| and |I + term t|,
// over the samples of a record, V's lanes at a time. Each sum is at most
// kSamples * (1024 + 255), inside 16 bits. Inline into each caller, so it
// is compiled for that caller's processor.
template <class V, int Terms>
[[gnu::always_inline]] inline void sumDeviationsIn(const int16_t* scaled,
                                                   const int16_t* const* terms,
                                                   uint32_t* deviation) {
    constexpr uint32_t kWidth = sizeof(V) / sizeof(int16_t);
    constexpr int kSums = 1 + 2 * Terms;
    // Unrolled throughout, so that every sum stays in a register.
    V total[kSums];
#pragma GCC unroll 4
    for (uint32_t at = 0; at < kSamples; at += kWidth) {
        V i = load<V>(scaled + at);
        V part[kSums];
        part[0] = absolute(i);
#pragma GCC unroll 5
        for (int t = 0; t < Terms; t++) {
            V value = load<V>(terms[t] + at);
            part[2 * t + 1] = absolute(i - value);
            part[2 * t + 2] = absolute(i + value);
        }
#pragma GCC unroll 11
        for (int k = 0; k < kSums; k++) total[k] = at == 0 ? part[k] : total[k] + part[k];
    }
    // Sixteen for the pairwise sums; set one by one, as zeroing the array
    // first costs more than all the arithmetic.
    Lanes folded[16];
#pragma GCC unroll 16
    for (int k = 0; k < 16; k++) folded[k] = k < kSums ? foldToLanes(total[k]) : Lanes{};
    Lanes sums[2] = {sumEach(folded), sumEach(folded + 8)};
    for (int k = 0; k < kSums; k++) deviation[k] = sums[k / 8][k % 8];
}

}  // namespace

// Where each sample's five terms lie in a record, in the order of the
// deviations.
std::array<const int16_t*, SamplePredictor::kTerms> SamplePredictor::termsOf(const Record& r) {
    const int16_t* delta2 = r.delta2 + kCarried;
    return {r.delta1, delta2, delta2 - 1, delta2 - 2, r.cross};
}

#if defined(__x86_64__)
__attribute__((target("avx2"))) void SamplePredictor::sumDeviationsWide(const Record& r,
                                                                        uint32_t* deviation) {
    sumDeviationsIn<Wide, kTerms>(r.scaled, termsOf(r).data(), deviation);
}
#endif

void SamplePredictor::sumDeviations(const Record& r, uint32_t* deviation) {
#if defined(__x86_64__)
    static const bool wide = __builtin_cpu_supports("avx2");
    if (wide) return sumDeviationsWide(r, deviation);
#endif
    sumDeviationsIn<Lanes, kTerms>(r.scaled, termsOf(r).data(), deviation);
}

// Toward the direction whose deviation was smallest (an earlier one wins a
// tie); k = 0 leaves the weights alone.
void SamplePredictor::adaptWeights(Channel& v) {
    uint32_t deviation[1 + 2 * kTerms];
    sumDeviations(v.record, deviation);
    int k = 0;
    uint32_t smallest = deviation[0];
    for (int i = 1; i < 1 + 2 * kTerms; i++) {
        bool smaller = deviation[i] < smallest;
        k = smaller ? i : k;
        smallest = smaller ? deviation[i] : smallest;
    }
    int* weights[kTerms] = {&v.weight1, &v.weight2, &v.weight3, &v.weight4, &v.weight5};
    if (k > 0) nudge(*weights[(k - 1) / 2], k % 2 == 1);
    int16_t* delta2 = v.record.delta2;
    std::copy(delta2 + kAdaptEvery, delta2 + kAdaptEvery + kCarried, delta2);
}

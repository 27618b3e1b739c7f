#include "archive/sample_predictor.h"

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

namespace {

// Eight 16-bit lanes; GCC and Clang turn the operators into vector
// instructions on any x86-64. Sums wrap, as the unsigned values they hold.
using Lanes = uint16_t __attribute__((vector_size(16)));
constexpr uint32_t kLaneCount = 8;

Lanes loadLanes(const int16_t* from) {
    Lanes lanes;
    std::memcpy(&lanes, from, sizeof lanes);
    return lanes;
}

// |x| of lanes holding signed values.
Lanes absolute(Lanes x) {
    Lanes sign = reinterpret_cast<Lanes>(
        reinterpret_cast<int16_t __attribute__((vector_size(16)))>(x) >> 15);
    return (x ^ sign) - sign;
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
Lanes sumEach(const Lanes* v) {
    Lanes pairs[4], quads[2];
    for (int i = 0; i < 4; i++) pairs[i] = addPairs(v[2 * i], v[2 * i + 1], 0);
    for (int i = 0; i < 2; i++) quads[i] = addPairs(pairs[2 * i], pairs[2 * i + 1], 1);
    return addPairs(quads[0], quads[1], 2);
}

}  // namespace

// Index 0 sums |I|; 2t + 1 and 2t + 2 sum |I - term t| and |I + term t|.
// Each sum is at most kAdaptEvery * (1024 + 255), inside 16 bits.
void SamplePredictor::sumDeviations(const Record& r, uint32_t* deviation) {
    constexpr int kSums = 1 + 2 * kTerms;
    Lanes total[16] = {};
    for (uint32_t at = 0; at < kAdaptEvery; at += kLaneCount) {
        Lanes i = loadLanes(r.scaled + at);
        total[0] += absolute(i);
        for (int t = 0; t < kTerms; t++) {
            Lanes term = loadLanes(r.term[t] + at);
            total[2 * t + 1] += absolute(i - term);
            total[2 * t + 2] += absolute(i + term);
        }
    }
    Lanes sums[2] = {sumEach(total), sumEach(total + 8)};
    for (int k = 0; k < kSums; k++) deviation[k] = sums[k / 8][k % 8];
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
}

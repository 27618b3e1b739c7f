#include "archive/sample_predictor.h"

#include <cstdlib>

namespace {

int signedByte(int value) {
    return static_cast<int8_t>(static_cast<uint8_t>(value));
}

void nudge(int& weight, bool down) {
    if (down && weight >= -16) weight--;
    if (!down && weight < 16) weight++;
}

}  // namespace

void SamplePredictor::reset() {
    for (Channel& v : channels_) v = Channel{};
    crossChannelDelta_ = 0;
}

int SamplePredictor::beginSample(uint32_t channel) {
    Channel& v = channels_[channel];
    v.sampleCount++;
    v.delta4 = v.delta3;
    v.delta3 = v.delta2;
    v.delta2 = v.prevDelta - v.delta1;
    v.delta1 = v.prevDelta;
    int32_t p = 8 * v.prevSample + v.weight1 * v.delta1 + v.weight2 * v.delta2 +
                v.weight3 * v.delta3 + v.weight4 * v.delta4 + v.weight5 * crossChannelDelta_;
    return (p >> 3) & 0xFF;
}

uint8_t SamplePredictor::finishSample(uint32_t channel, int p, uint32_t s) {
    Channel& v = channels_[channel];
    int c = p - static_cast<int>(s);
    addDeviations(v, signedByte(static_cast<int>(s)) * 8);
    crossChannelDelta_ = v.prevDelta = signedByte(c - v.prevSample);
    v.prevSample = c;
    if (v.sampleCount % 32 == 0) adaptWeights(v);
    return static_cast<uint8_t>(c & 0xFF);
}

void SamplePredictor::addDeviations(Channel& v, int i) {
    int cross = crossChannelDelta_;
    v.deviation[0] += std::abs(i);
    v.deviation[1] += std::abs(i - v.delta1);
    v.deviation[2] += std::abs(i + v.delta1);
    v.deviation[3] += std::abs(i - v.delta2);
    v.deviation[4] += std::abs(i + v.delta2);
    v.deviation[5] += std::abs(i - v.delta3);
    v.deviation[6] += std::abs(i + v.delta3);
    v.deviation[7] += std::abs(i - v.delta4);
    v.deviation[8] += std::abs(i + v.delta4);
    v.deviation[9] += std::abs(i - cross);
    v.deviation[10] += std::abs(i + cross);
}

void SamplePredictor::adaptWeights(Channel& v) {
    int k = 0;
    for (int i = 1; i < 11; i++) {
        if (v.deviation[i] < v.deviation[k]) k = i;
    }
    for (uint32_t& d : v.deviation) d = 0;
    int* weights[5] = {&v.weight1, &v.weight2, &v.weight3, &v.weight4, &v.weight5};
    if (k > 0) nudge(*weights[(k - 1) / 2], k % 2 == 1);
}

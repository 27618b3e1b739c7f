// The adaptive linear predictor of multimedia mode: up to four interleaved
// byte channels, each predicted from its last sample, its recent deltas and
// the delta last seen on any channel, with weights that adapt every 32
// samples toward the smallest accumulated error. The encoder runs the same
// model to choose the symbols the decoder will see.
#pragma once

#include <cstdint>

#include "archive/code_tables.h"

namespace sample_predictor_detail {

inline int signedByte(int value) {
    return static_cast<int8_t>(static_cast<uint8_t>(value));
}

inline uint32_t absolute(int value) {
    return static_cast<uint32_t>(value < 0 ? -value : value);
}

}  // namespace sample_predictor_detail

class SamplePredictor {
  public:
    void reset();

    // Decoding: the output byte for symbol s on the given channel.
    uint8_t predictSample(uint32_t channel, uint32_t s) {
        int p = beginSample(channel);
        return finishSample(channel, p, s);
    }

    // Encoding: the symbol that makes the decoder produce this byte.
    uint32_t encodeSample(uint32_t channel, uint8_t byte) {
        int p = beginSample(channel);
        uint32_t s = static_cast<uint32_t>(p - byte) & 0xFF;
        finishSample(channel, p, s);
        return s;
    }

  private:
    struct Channel {
        int weight1 = 0, weight2 = 0, weight3 = 0, weight4 = 0, weight5 = 0;
        int delta1 = 0, delta2 = 0, delta3 = 0, delta4 = 0;
        int prevDelta = 0, prevSample = 0;
        uint32_t deviation[11] = {};
        uint32_t sampleCount = 0;
    };

    int beginSample(uint32_t channel);  // steps 1 to 3: the prediction P
    uint8_t finishSample(uint32_t channel, int p, uint32_t s);
    void addDeviations(Channel& v, int i);
    void adaptWeights(Channel& v);

    Channel channels_[archive::kMaxChannels];
    int crossChannelDelta_ = 0;
};

// Inline: they run once per sample.
inline int SamplePredictor::beginSample(uint32_t channel) {
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

inline uint8_t SamplePredictor::finishSample(uint32_t channel, int p, uint32_t s) {
    using sample_predictor_detail::signedByte;
    Channel& v = channels_[channel];
    int c = p - static_cast<int>(s);
    addDeviations(v, signedByte(static_cast<int>(s)) * 8);
    crossChannelDelta_ = v.prevDelta = signedByte(c - v.prevSample);
    v.prevSample = c;
    if (v.sampleCount % 32 == 0) adaptWeights(v);
    return static_cast<uint8_t>(c & 0xFF);
}

inline void SamplePredictor::addDeviations(Channel& v, int i) {
    using sample_predictor_detail::absolute;
    int cross = crossChannelDelta_;
    v.deviation[0] += absolute(i);
    v.deviation[1] += absolute(i - v.delta1);
    v.deviation[2] += absolute(i + v.delta1);
    v.deviation[3] += absolute(i - v.delta2);
    v.deviation[4] += absolute(i + v.delta2);
    v.deviation[5] += absolute(i - v.delta3);
    v.deviation[6] += absolute(i + v.delta3);
    v.deviation[7] += absolute(i - v.delta4);
    v.deviation[8] += absolute(i + v.delta4);
    v.deviation[9] += absolute(i - cross);
    v.deviation[10] += absolute(i + cross);
}

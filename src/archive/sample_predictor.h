// The adaptive linear predictor of multimedia mode: up to four interleaved
// byte channels, each predicted from its last sample, its recent deltas and
// the delta last seen on any channel, with weights that adapt every 32
// samples toward the smallest accumulated error. The encoder runs the same
// model to choose the symbols the decoder will see.
#pragma once

#include <cstdint>

#include "archive/code_tables.h"

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

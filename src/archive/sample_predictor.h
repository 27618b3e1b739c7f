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

    // Samples between two adaptations of a channel's weights.
    static constexpr uint32_t kAdaptEvery = 32;

  private:
    // What the adaptation compares: each sample's scaled symbol I (the
    // symbol as a signed byte, times 8) against the five terms of its
    // prediction (delta1..delta4 and the cross-channel delta). The
    // deviation of a weight direction is the sum of |I - term| or
    // |I + term| over the last kAdaptEvery samples; rather than keep eleven
    // running sums, each channel records the six values per sample and sums
    // them when the weights adapt. All fit in 16 bits: |I| <= 1024 and each
    // term is a difference of signed bytes.
    static constexpr int kTerms = 5;
    struct Record {
        alignas(16) int16_t scaled[kAdaptEvery];
        alignas(16) int16_t term[kTerms][kAdaptEvery];
    };
    struct Channel {
        int weight1 = 0, weight2 = 0, weight3 = 0, weight4 = 0, weight5 = 0;
        int delta1 = 0, delta2 = 0, delta3 = 0, delta4 = 0;
        int prevDelta = 0, prevSample = 0;
        uint32_t sampleCount = 0;
        Record record = {};
    };

    int beginSample(uint32_t channel);  // steps 1 to 3: the prediction P
    uint8_t finishSample(uint32_t channel, int p, uint32_t s);
    void recordSample(Channel& v, int i);
    // The eleven deviations of a channel's record; the wide version where
    // the processor has AVX2.
    static void sumDeviations(const Record& r, uint32_t* deviation);
    static void sumDeviationsWide(const Record& r, uint32_t* deviation);
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
    recordSample(v, signedByte(static_cast<int>(s)) * 8);
    crossChannelDelta_ = v.prevDelta = signedByte(c - v.prevSample);
    v.prevSample = c;
    if (v.sampleCount % kAdaptEvery == 0) adaptWeights(v);
    return static_cast<uint8_t>(c & 0xFF);
}

inline void SamplePredictor::recordSample(Channel& v, int i) {
    uint32_t at = (v.sampleCount - 1) % kAdaptEvery;
    Record& r = v.record;
    r.scaled[at] = static_cast<int16_t>(i);
    r.term[0][at] = static_cast<int16_t>(v.delta1);
    r.term[1][at] = static_cast<int16_t>(v.delta2);
    r.term[2][at] = static_cast<int16_t>(v.delta3);
    r.term[3][at] = static_cast<int16_t>(v.delta4);
    r.term[4][at] = static_cast<int16_t>(crossChannelDelta_);
}

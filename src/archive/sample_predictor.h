// The adaptive linear predictor of multimedia mode: up to four interleaved
// byte channels, each predicted from its last sample, its recent deltas and
// the delta last seen on any channel, with weights that adapt every 32
// samples toward the smallest accumulated error. The encoder runs the same
// model to choose the symbols the decoder will see.
#pragma once

#include <array>
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
        Prediction p = beginSample(channel);
        return finishSample(channel, p, s);
    }

    // Encoding: the symbol that makes the decoder produce this byte.
    uint32_t encodeSample(uint32_t channel, uint8_t byte) {
        Prediction p = beginSample(channel);
        uint32_t s = static_cast<uint32_t>(p.value - byte) & 0xFF;
        finishSample(channel, p, s);
        return s;
    }

    // Samples between two adaptations of a channel's weights.
    static constexpr uint32_t kAdaptEvery = 32;

  private:
    // What the adaptation compares: each sample's scaled symbol I (the
    // symbol as a signed byte, times 8) against the five terms of its
    // prediction: delta1..delta4 and the cross-channel delta. The
    // deviation of a weight direction is the sum of |I - term| or
    // |I + term| over the last kAdaptEvery samples; rather than keep eleven
    // running sums, each channel records the terms per sample and sums them
    // when the weights adapt. delta3 and delta4 are delta2 one and two
    // samples back, so delta2 alone is recorded, behind the two values
    // before the first sample; those two are also the delta3 and delta4 the
    // next samples use. All fit in 16 bits: |I| <= 1024 and each term is a
    // difference of signed bytes.
    static constexpr int kTerms = 5;
    static constexpr uint32_t kCarried = 2;
    struct Record {
        alignas(16) int16_t scaled[kAdaptEvery];
        alignas(16) int16_t delta1[kAdaptEvery];
        alignas(16) int16_t cross[kAdaptEvery];
        alignas(16) int16_t delta2[kCarried + kAdaptEvery];  // sample j at kCarried + j
    };
    struct Channel {
        int weight1 = 0, weight2 = 0, weight3 = 0, weight4 = 0, weight5 = 0;
        int delta1 = 0;  // of the last sample
        int prevDelta = 0, prevSample = 0;
        uint32_t sampleCount = 0;
        Record record = {};
    };
    // Steps 1 to 3: the prediction P, and the terms the record still needs.
    struct Prediction {
        int value;
        int delta1, delta2;
        uint32_t at;  // the sample's place in the record
    };

    Prediction beginSample(uint32_t channel);
    uint8_t finishSample(uint32_t channel, const Prediction& p, uint32_t s);
    // The eleven deviations of a channel's record; the wide version where
    // the processor has AVX2.
    static void sumDeviations(const Record& r, uint32_t* deviation);
    static void sumDeviationsWide(const Record& r, uint32_t* deviation);
    static std::array<const int16_t*, kTerms> termsOf(const Record& r);
    void adaptWeights(Channel& v);

    Channel channels_[archive::kMaxChannels];
    int crossChannelDelta_ = 0;
};

// Inline: they run once per sample.
inline SamplePredictor::Prediction SamplePredictor::beginSample(uint32_t channel) {
    Channel& v = channels_[channel];
    uint32_t at = v.sampleCount++ % kAdaptEvery;
    int delta1 = v.prevDelta;
    int delta2 = v.prevDelta - v.delta1;
    v.delta1 = delta1;
    const int16_t* earlier = v.record.delta2 + at;  // delta2 two and one samples back
    int32_t p = 8 * v.prevSample + v.weight1 * delta1 + v.weight2 * delta2 +
                v.weight3 * earlier[1] + v.weight4 * earlier[0] + v.weight5 * crossChannelDelta_;
    return {(p >> 3) & 0xFF, delta1, delta2, at};
}

inline uint8_t SamplePredictor::finishSample(uint32_t channel, const Prediction& p, uint32_t s) {
    using sample_predictor_detail::signedByte;
    Channel& v = channels_[channel];
    Record& r = v.record;
    r.scaled[p.at] = static_cast<int16_t>(signedByte(static_cast<int>(s)) * 8);
    r.delta1[p.at] = static_cast<int16_t>(p.delta1);
    r.delta2[kCarried + p.at] = static_cast<int16_t>(p.delta2);
    r.cross[p.at] = static_cast<int16_t>(crossChannelDelta_);
    int c = p.value - static_cast<int>(s);
    crossChannelDelta_ = v.prevDelta = signedByte(c - v.prevSample);
    v.prevSample = c;
    if (p.at == kAdaptEvery - 1) adaptWeights(v);
    return static_cast<uint8_t>(c & 0xFF);
}

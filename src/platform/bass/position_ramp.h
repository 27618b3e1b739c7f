// A source whose every frame tells where it is in the music, for measuring
// where music is heard: the left sample counts frames modulo 32768 (less
// 16384), the right one counts the wraps of the left one. Smooth between
// wraps, so it still tells the position (to a fraction of a frame) after
// the output has been played slightly faster or slower.
#pragma once

#include <optional>

#include "platform/bass/pcm_source.h"

class PositionRamp : public PcmSource {
  public:
    PositionRamp(int rate, std::size_t frames) : rate_(rate), frames_(frames) {}

    int rate() const override { return rate_; }
    int channels() const override { return 2; }
    std::size_t frames() const override { return frames_; }
    void seek(std::size_t) override {}
    void requestSeek(std::size_t) override {}
    std::size_t read(std::size_t frame, std::int16_t* out, std::size_t count) override;

    // The music frame an output frame comes from; nothing near a wrap of
    // the left sample, where interpolation blurs the count.
    static std::optional<double> frameOf(const std::int16_t* stereoFrame);

  private:
    int rate_;
    std::size_t frames_;
};

// PCM held whole in memory as a stream's source: nothing to decode, every
// frame always there.
#pragma once

#include "platform/bass/decoded_audio.h"
#include "platform/bass/pcm_source.h"

class MemoryPcm : public PcmSource {
  public:
    explicit MemoryPcm(DecodedAudio audio) : audio_(std::move(audio)) {}

    int rate() const override { return audio_.rate; }
    int channels() const override { return audio_.channels; }
    std::size_t frames() const override { return audio_.frames(); }
    void seek(std::size_t) override {}
    void requestSeek(std::size_t) override {}
    std::size_t read(std::size_t frame, std::int16_t* out, std::size_t count) override;

  private:
    DecodedAudio audio_;
};

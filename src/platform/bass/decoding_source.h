// A stream's source that decodes on the reader's own thread, as it is read:
// for rendering music offline, where reading may take its time. Never for
// the output device, whose thread must not decode.
#pragma once

#include <memory>

#include "platform/bass/audio_decoder.h"
#include "platform/bass/pcm_source.h"

class DecodingSource : public PcmSource {
  public:
    explicit DecodingSource(std::unique_ptr<AudioDecoder> decoder) : decoder_(std::move(decoder)) {}

    int rate() const override { return decoder_->rate(); }
    int channels() const override { return decoder_->channels(); }
    std::size_t frames() const override { return decoder_->frames(); }
    void seek(std::size_t frame) override;
    void requestSeek(std::size_t frame) override { seek(frame); }
    std::size_t read(std::size_t frame, std::int16_t* out, std::size_t count) override;

  private:
    std::unique_ptr<AudioDecoder> decoder_;
};

// A stream's frames brought to the output: taken from its source at the
// stream's position, a mono stream put on both sides, a stream at another
// rate converted by SDL's resampler. Keeps the position of the next frame
// to take and knows when a stream that does not loop has ended.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/bass/pcm_source.h"

struct _SDL_AudioStream;

class OutputFeed {
  public:
    OutputFeed(PcmSource& source, int outputRate);
    ~OutputFeed();
    OutputFeed(const OutputFeed&) = delete;
    OutputFeed& operator=(const OutputFeed&) = delete;

    // False when the resampler for the source's rate could not be made.
    bool valid() const { return !resamples() || resampler_ != nullptr; }
    // The next source frame to take; frames() once a stream that does not
    // loop has been taken to its end.
    std::size_t frame() const { return frame_; }
    // Moves to `frame`, forgetting what was taken and not yet produced.
    void setFrame(std::size_t frame);
    // Writes up to count stereo frames at the output rate and returns how
    // many: fewer when the source has not decoded that far, or at the end.
    int produce(std::int16_t* out, int count, bool looping);
    // The end of a stream that does not loop has been produced.
    bool ended() const { return ended_; }
    // Source frames taken but not yet produced.
    double heldFrames() const;

  private:
    bool resamples() const { return source_.rate() != outputRate_; }
    std::size_t take(std::int16_t* out, std::size_t count, bool looping);
    int produceDirect(std::int16_t* out, int count, bool looping);
    int produceResampled(std::int16_t* out, int count, bool looping);
    bool feedResampler(bool looping);

    PcmSource& source_;
    int outputRate_;
    std::size_t frame_ = 0;
    bool drained_ = false;  // the end went into the resampler without looping
    bool ended_ = false;
    std::vector<std::int16_t> feed_;
    _SDL_AudioStream* resampler_ = nullptr;
};

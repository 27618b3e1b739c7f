// The decoded 16-bit PCM of one stream (one or two channels), read in order
// from a given frame. After the last frame come the first ones again, so a
// looping stream never waits at its end.
#pragma once

#include <cstddef>
#include <cstdint>

class PcmSource {
  public:
    virtual ~PcmSource() = default;

    virtual int rate() const = 0;
    virtual int channels() const = 0;
    virtual std::size_t frames() const = 0;

    // Gets `frame` ready to be read next. May decode, so it is never called
    // on the audio thread.
    virtual void seek(std::size_t frame) = 0;
    // Asks for `frame` to be read next without waiting for it: safe on the
    // audio thread. Reads give nothing until the frames are there.
    virtual void requestSeek(std::size_t frame) = 0;
    // Copies up to `count` frames from `frame` on (round the end) and returns
    // how many: fewer when they are not decoded yet, none when the source is
    // not at `frame`.
    virtual std::size_t read(std::size_t frame, std::int16_t* out, std::size_t count) = 0;
};

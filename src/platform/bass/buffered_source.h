// A stream's source that decodes ahead on a thread of its own into a ring
// of frames, so that the output device's thread only copies. The ring holds
// about a second and a half; the file is read as the music plays.
//
// Every frame in the ring carries its place in the music: a read asks for
// the frame it wants next and gets nothing when the ring is elsewhere (a
// seek not yet served), never wrong frames.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "platform/bass/audio_decoder.h"
#include "platform/bass/frame_ring.h"
#include "platform/bass/pcm_source.h"

class BufferedSource : public PcmSource {
  public:
    // waitForDecoder: a read of frames not decoded yet waits for them (up to
    // two seconds), for an output that nobody hears in real time and may as
    // well wait; otherwise reads take what is there.
    BufferedSource(std::unique_ptr<AudioDecoder> decoder, bool waitForDecoder);
    ~BufferedSource() override;

    int rate() const override { return rate_; }
    int channels() const override { return channels_; }
    std::size_t frames() const override { return frames_; }
    // Decodes the first frames from `frame` on, on the calling thread, so
    // the stream is ready to play when it returns.
    void seek(std::size_t frame) override;
    void requestSeek(std::size_t frame) override;
    std::size_t read(std::size_t frame, std::int16_t* out, std::size_t count) override;

  private:
    void decodeAhead();
    void decodeChunk();
    bool needsDecoding() const;
    bool readyAt(std::size_t frame) const;

    const int rate_;
    const int channels_;
    const std::size_t frames_;
    const bool waitForDecoder_;

    // Whoever decodes holds this: the decoder thread, or a seek. The
    // decoder's position is always the frame after the ring's last one.
    std::mutex decoderMutex_;
    const std::unique_ptr<AudioDecoder> decoder_;
    std::vector<std::int16_t> chunk_;

    std::mutex mutex_;                 // guards what follows; held only to copy
    std::condition_variable wake_;     // to the decoder thread: room, a seek, or stop
    std::condition_variable decoded_;  // to readers: frames have arrived
    FrameRing ring_;
    std::size_t ringFrame_ = 0;  // the music's frame at the ring's read end
    std::optional<std::size_t> seekTo_;
    std::uint64_t generation_ = 0;  // changes at each seek: older decoding is dropped
    bool stopping_ = false;
    std::thread thread_;
};

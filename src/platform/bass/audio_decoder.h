// A music file decoded as it is read, into 16-bit PCM at the file's own
// rate with one or two channels. Its length is known when it opens, without
// decoding the file, and positions are exact to the frame: after a seek the
// frames come out exactly as a decode from the start gives them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/bass/byte_source.h"

struct sf_private_tag;

class AudioDecoder {
  public:
    // Any format libsndfile reads (WAV, Ogg Vorbis, FLAC, MP3, ...). Null
    // when the bytes are not audio, hold no frames, or decode to more than a
    // 32-bit byte count can address (or there are no bytes).
    static std::unique_ptr<AudioDecoder> open(std::unique_ptr<ByteSource> bytes);
    ~AudioDecoder();
    AudioDecoder(const AudioDecoder&) = delete;
    AudioDecoder& operator=(const AudioDecoder&) = delete;

    int rate() const { return rate_; }
    int channels() const { return channels_; }
    std::size_t frames() const { return frames_; }
    // The next frame read gives; frames() after the last one.
    std::size_t position() const { return position_; }

    // frame < frames().
    void seek(std::size_t frame);
    // Up to count frames, never past the end; returns how many. Frames the
    // file no longer yields (it was cut short or damaged after it was
    // opened) come out as silence.
    std::size_t read(std::int16_t* out, std::size_t count);
    // count frames, going on from the first frame after the last.
    void readLooping(std::int16_t* out, std::size_t count);

  private:
    AudioDecoder(std::unique_ptr<ByteSource> bytes, sf_private_tag* file, int fileChannels,
                 int rate, bool asShorts);
    std::size_t decode(std::int16_t* out, std::size_t count);
    std::size_t decodableFrames(std::int64_t announced);
    bool readable(std::size_t frame);
    std::size_t countByDecoding();

    std::unique_ptr<ByteSource> bytes_;
    sf_private_tag* file_;
    int fileChannels_;
    int channels_;
    int rate_;
    bool asShorts_;  // integer PCM: read as 16-bit, and seeks are exact
    std::size_t frames_ = 0;
    std::size_t position_ = 0;
    bool failed_ = false;  // the file stopped yielding frames; silence until a seek
    std::vector<std::int16_t> shorts_;
    std::vector<float> floats_;
};

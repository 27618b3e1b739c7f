// A video's sound: the capture's 44100 Hz 16-bit stereo music, resampled by
// libswresample to what the codec takes (Opus: 48000 Hz), cut into the
// codec's frame size and encoded (AAC, FLAC or Opus).
#pragma once

#include <cstdint>
#include <string>

#include "app/capture/video_format.h"

struct AVAudioFifo;
struct AVCodecContext;
struct AVFrame;
struct AVStream;
struct SwrContext;
class VideoContainer;

class SoundEncoder {
  public:
    SoundEncoder() = default;
    ~SoundEncoder();
    SoundEncoder(const SoundEncoder&) = delete;
    SoundEncoder& operator=(const SoundEncoder&) = delete;

    // Adds the sound stream to the container. False after a message.
    bool open(const VideoFormat& format, VideoContainer& container);
    // Appends `count` interleaved stereo frames at 44100 Hz.
    bool add(const std::int16_t* frames, int count);
    // Encodes what is left, the last codec frame shorter or padded with
    // silence, and writes what the encoder still holds.
    bool finish();

  private:
    bool makeContext(const VideoFormat& format, VideoContainer& container);
    bool makeResampler();
    // Resampled frames into the queue; null input drains the resampler.
    bool queue(const std::uint8_t* input, int count);
    // Encodes whole codec frames from the queue, and the rest when `last`.
    bool encodeQueued(bool last);

    AVCodecContext* context_ = nullptr;
    SwrContext* resampler_ = nullptr;
    AVAudioFifo* queue_ = nullptr;
    AVFrame* frame_ = nullptr;
    AVStream* stream_ = nullptr;
    VideoContainer* container_ = nullptr;
    int frameSize_ = 0;
    std::int64_t nextPts_ = 0;
};

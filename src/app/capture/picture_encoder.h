// A video's picture: captured X8R8G8B8 frames converted to yuv420p by
// libswscale and encoded (H.264 or VP9) at a fixed step of 1/fps.
#pragma once

#include <string>

#include "app/capture/frame_sink.h"
#include "app/capture/video_format.h"

struct AVCodecContext;
struct AVFrame;
struct AVStream;
struct SwsContext;
class VideoContainer;

struct PictureSettings {
    int width = 0;
    int height = 0;
    int fps = 30;
    int crf = 18;
};

class PictureEncoder {
  public:
    PictureEncoder() = default;
    ~PictureEncoder();
    PictureEncoder(const PictureEncoder&) = delete;
    PictureEncoder& operator=(const PictureEncoder&) = delete;

    // Adds the picture stream to the container. False after a message.
    bool open(const VideoFormat& format, const PictureSettings& settings,
              VideoContainer& container);
    // Encodes the frame as picture number frame.index.
    bool encode(const CapturedFrame& frame);
    // Writes the frames the encoder still holds.
    bool finish();

  private:
    bool makeContext(const VideoFormat& format, const PictureSettings& settings,
                     VideoContainer& container);
    bool makeFrames(const PictureSettings& settings);

    AVCodecContext* context_ = nullptr;
    AVFrame* picture_ = nullptr;
    SwsContext* converter_ = nullptr;
    AVStream* stream_ = nullptr;
    VideoContainer* container_ = nullptr;
};

// The capture as a video file with its music: the container from the
// file's extension, the picture at a fixed step of 1/fps, the sound the
// samples music.wav holds with sample 0 at the first frame. Written under a
// temporary name and renamed when finished, also after an interruption, so
// the file always plays.
#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "app/capture/frame_sink.h"
#include "app/capture/picture_encoder.h"
#include "app/capture/sound_encoder.h"
#include "app/capture/video_container.h"
#include "media/music_render.h"

struct VideoSettings {
    std::string path;
    std::optional<int> crf;  // default: the format's visually lossless one
    PictureSettings picture;
    double from = 0;                          // demo time of the first frame
    std::optional<MusicRenderRequest> music;  // none: a video without sound
};

class VideoFile : public FrameSink {
  public:
    explicit VideoFile(const VideoSettings& settings);
    // Checks the extension, the quality, the encoders and the output path
    // and opens the file; false after one message naming the file and the
    // problem.
    bool open() override;
    bool write(const CapturedFrame& frame) override;
    bool finish(int frames) override;

    // Wall-clock time spent converting, encoding and writing so far.
    double encodingSeconds() const { return encoding_.count(); }

  private:
    bool start();
    // Sound up to the start of frame `frames`.
    bool addMusicUpTo(int frames);
    // The frames and sound still held, the trailer, the final name.
    bool finishFile(int frames);
    void report(int frames) const;

    VideoSettings settings_;
    const VideoFormat* format_;  // null for an unknown extension
    VideoContainer container_;
    PictureEncoder picture_;
    std::unique_ptr<SoundEncoder> sound_;
    std::unique_ptr<MusicRender> music_;
    std::chrono::duration<double> encoding_{0};
};

#include "app/capture/video_file.h"

#include <cstdio>
#include <filesystem>

extern "C" {
#include <libavutil/log.h>
}

namespace {

// Adds the time spent in its scope to `total`.
class Stopwatch {
  public:
    explicit Stopwatch(std::chrono::duration<double>& total)
        : total_(total), start_(std::chrono::steady_clock::now()) {}
    ~Stopwatch() { total_ += std::chrono::steady_clock::now() - start_; }

  private:
    std::chrono::duration<double>& total_;
    std::chrono::steady_clock::time_point start_;
};

}  // namespace

VideoFile::VideoFile(const VideoSettings& settings)
    : settings_(settings), format_(videoFormatFor(settings.path)) {
    if (format_) settings_.picture.crf = settings.crf.value_or(format_->defaultCrf);
}

bool VideoFile::open() {
    // The encoders' statistics would drown the capture's own lines.
    av_log_set_level(AV_LOG_ERROR);
    const char* path = settings_.path.c_str();
    if (!format_) {
        std::fprintf(
            stderr, "tessal-capture: cannot write %s: unknown video type \"%s\" (use %s)\n", path,
            std::filesystem::path(path).extension().string().c_str(), videoExtensionList().c_str());
        return false;
    }
    if (settings_.picture.crf > format_->maxCrf) {
        std::fprintf(stderr,
                     "tessal-capture: cannot write %s: --crf %d is past %s's scale (0 to %d)\n",
                     path, settings_.picture.crf, format_->videoCodec, format_->maxCrf);
        return false;
    }
    return start();
}

bool VideoFile::start() {
    if (!container_.open(settings_.path, format_->muxer)) return false;
    if (!picture_.open(*format_, settings_.picture, container_)) return false;
    if (settings_.music) {
        sound_ = std::make_unique<SoundEncoder>();
        if (!sound_->open(*format_, container_)) return false;
        music_ = std::make_unique<MusicRender>(*settings_.music);
    }
    return container_.start();
}

bool VideoFile::addMusicUpTo(int frames) {
    if (!music_) return true;
    const double to = settings_.from + double(frames) / settings_.picture.fps;
    const std::int64_t wanted = musicRenderFrames(settings_.from, to) - music_->rendered();
    bool added = true;
    music_->render(wanted, [&](const std::int16_t* samples, int count) {
        added = added && sound_->add(samples, count);
    });
    return added;
}

bool VideoFile::write(const CapturedFrame& frame) {
    Stopwatch stopwatch(encoding_);
    return picture_.encode(frame) && addMusicUpTo(frame.index + 1);
}

bool VideoFile::finish(int frames) {
    if (frames <= 0) {
        container_.discard();
        std::fprintf(stderr, "tessal-capture: no frames captured, so no video %s\n",
                     settings_.path.c_str());
        return false;
    }
    if (!finishFile(frames)) {
        container_.discard();
        return false;
    }
    report(frames);
    return true;
}

bool VideoFile::finishFile(int frames) {
    Stopwatch stopwatch(encoding_);
    return addMusicUpTo(frames) && picture_.finish() && (!sound_ || sound_->finish()) &&
           container_.finish();
}

void VideoFile::report(int frames) const {
    std::fprintf(
        stderr,
        "tessal-capture: wrote %s: %s%s%s, %d frames (%.2f s), crf %d; encoding took %.1f s\n",
        settings_.path.c_str(), format_->videoCodec, sound_ ? " + " : "",
        sound_ ? format_->audioCodec : "", frames, double(frames) / settings_.picture.fps,
        settings_.picture.crf, encodingSeconds());
}

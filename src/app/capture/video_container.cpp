#include "app/capture/video_container.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "app/capture/av_error.h"

extern "C" {
#include <libavformat/avformat.h>
}

namespace fs = std::filesystem;

namespace {

// In the final file's folder, so that the rename cannot cross file systems.
std::string temporaryPathFor(const std::string& path) {
    const fs::path final = path;
    return (final.parent_path() /
            ("." + final.filename().string() + ".part-" + std::to_string(getpid())))
        .string();
}

}  // namespace

VideoContainer::~VideoContainer() {
    discard();
}

bool VideoContainer::fail(const std::string& problem) {
    std::fprintf(stderr, "tessal-capture: cannot write %s: %s\n", path_.c_str(), problem.c_str());
    failed_ = true;
    return false;
}

bool VideoContainer::open(const std::string& path, const char* muxer) {
    path_ = path;
    temporaryPath_ = temporaryPathFor(path);
    std::error_code error;
    if (fs::is_directory(path, error)) return fail("it is a folder");
    int result = avformat_alloc_output_context2(&context_, nullptr, muxer, temporaryPath_.c_str());
    if (result < 0) return fail(avErrorText(result));
    result = avio_open(&context_->pb, temporaryPath_.c_str(), AVIO_FLAG_WRITE);
    if (result < 0) return fail(avErrorText(result));
    return true;
}

bool VideoContainer::wantsGlobalHeaders() const {
    return context_->oformat->flags & AVFMT_GLOBALHEADER;
}

AVStream* VideoContainer::addStream() {
    return avformat_new_stream(context_, nullptr);
}

bool VideoContainer::start() {
    const int result = avformat_write_header(context_, nullptr);
    if (result < 0) return fail(avErrorText(result));
    started_ = true;
    return true;
}

bool VideoContainer::write(AVPacket* packet) {
    if (failed_) return false;
    const int result = av_interleaved_write_frame(context_, packet);
    return result >= 0 || fail(avErrorText(result));
}

bool VideoContainer::finish() {
    if (!started_ || failed_) return false;
    const int result = av_write_trailer(context_);
    if (result < 0) return fail(avErrorText(result));
    close();
    std::error_code error;
    fs::rename(temporaryPath_, path_, error);
    if (error) return fail(error.message());
    temporaryPath_.clear();
    return true;
}

void VideoContainer::close() {
    if (!context_) return;
    avio_closep(&context_->pb);
    avformat_free_context(context_);
    context_ = nullptr;
}

void VideoContainer::discard() {
    close();
    if (temporaryPath_.empty()) return;
    std::error_code error;
    fs::remove(temporaryPath_, error);
    temporaryPath_.clear();
}

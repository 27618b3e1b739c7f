// The video file being written: FFmpeg's muxer writing to a temporary name
// beside the final one, renamed to it only once the file is complete, so
// that nothing half-written ever stands under the final name.
#pragma once

#include <string>

struct AVFormatContext;
struct AVPacket;
struct AVStream;

class VideoContainer {
  public:
    ~VideoContainer();

    // Makes the muxer and opens the temporary file. False (having said why,
    // naming `path`) when the file cannot be written there.
    bool open(const std::string& path, const char* muxer);
    // Whether the codecs' headers go into the container instead of the stream.
    bool wantsGlobalHeaders() const;
    AVStream* addStream();
    // Writes the container's header, once the streams are set up.
    bool start();
    // Writes one encoded packet, its times in its stream's time base.
    bool write(AVPacket* packet);
    // Writes the trailer and renames the file to its final name; on failure
    // the temporary file is removed.
    bool finish();
    // Removes the temporary file.
    void discard();

    const std::string& path() const { return path_; }

  private:
    bool fail(const std::string& problem);
    void close();

    AVFormatContext* context_ = nullptr;
    std::string path_;
    std::string temporaryPath_;
    bool started_ = false;
    bool failed_ = false;
};

// Part of a file on disk read as a seekable file, without loading it: the
// decoder of a playing stream reads the music through it as it goes. If the
// file shrinks while it is open, the missing bytes read as nothing.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/bass/byte_source.h"

class FileWindow : public ByteSource {
  public:
    // length bytes from offset, or everything from offset when length is 0.
    // Null when the path is not a readable regular file or offset lies
    // beyond its end.
    static std::unique_ptr<FileWindow> open(const char* path, std::uint32_t offset,
                                            std::uint32_t length);
    ~FileWindow() override;

  protected:
    std::int64_t readAt(std::int64_t at, void* out, std::int64_t count) override;

  private:
    FileWindow(int descriptor, std::int64_t offset, std::int64_t size)
        : ByteSource(size), descriptor_(descriptor), offset_(offset) {}

    int descriptor_;
    std::int64_t offset_;
};

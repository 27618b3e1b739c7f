// Bytes read as a seekable file: what the decoder reads music through,
// from memory or from part of a file on disk. Every read and seek stays
// inside the source's size.
#pragma once

#include <cstdint>

class ByteSource {
  public:
    explicit ByteSource(std::int64_t size) : size_(size) {}
    virtual ~ByteSource() = default;
    ByteSource(const ByteSource&) = delete;
    ByteSource& operator=(const ByteSource&) = delete;

    std::int64_t size() const { return size_; }
    std::int64_t tell() const { return position_; }
    // whence is SEEK_SET, SEEK_CUR or SEEK_END. A target outside the source
    // leaves the position alone and returns -1; otherwise the new position.
    std::int64_t seek(std::int64_t offset, int whence);
    // Copies up to count bytes; returns how many were copied (fewer also
    // when the bytes can no longer be read).
    std::int64_t read(void* out, std::int64_t count);

  protected:
    // Up to count bytes from `at`, which lies inside the source.
    virtual std::int64_t readAt(std::int64_t at, void* out, std::int64_t count) = 0;

  private:
    std::int64_t size_;
    std::int64_t position_ = 0;
};

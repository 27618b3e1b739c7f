// Bytes in memory read as a seekable file: the one reader the decoder goes
// through. Every read and seek is bounds-checked against the buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

class MemoryFile {
  public:
    explicit MemoryFile(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::int64_t size() const { return std::int64_t(bytes_.size()); }
    std::int64_t tell() const { return position_; }
    // whence is SEEK_SET, SEEK_CUR or SEEK_END. A target outside the buffer
    // leaves the position alone and returns -1; otherwise the new position.
    std::int64_t seek(std::int64_t offset, int whence);
    // Copies up to count bytes; returns how many were copied.
    std::int64_t read(void* out, std::int64_t count);

  private:
    std::span<const std::uint8_t> bytes_;
    std::int64_t position_ = 0;
};

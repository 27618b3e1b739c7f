// The one reader every image decoder takes its bytes through. Reads never go
// past the end: a read that does not fit fails, leaves the output zero and
// marks the reader failed, so a decoder can read a whole header and check
// once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

class ImageReader {
  public:
    explicit ImageReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::uint8_t u8();
    std::uint16_t u16le();
    std::uint32_t u32le();
    std::int32_t s32le() { return static_cast<std::int32_t>(u32le()); }
    std::uint32_t u32be();
    // The next `count` bytes, or an empty span (and failure) when fewer remain.
    std::span<const std::uint8_t> take(std::size_t count);
    // Up to `count` bytes: fewer at the end, without failing.
    std::span<const std::uint8_t> takeUpTo(std::size_t count);
    bool skip(std::size_t count) { return take(count).size() == count; }
    // Moves to an absolute position; fails beyond the end.
    bool seek(std::size_t position);

    std::size_t position() const { return position_; }
    std::size_t remaining() const { return bytes_.size() - position_; }
    std::size_t size() const { return bytes_.size(); }
    bool failed() const { return failed_; }

  private:
    std::span<const std::uint8_t> bytes_;
    std::size_t position_ = 0;
    bool failed_ = false;
};

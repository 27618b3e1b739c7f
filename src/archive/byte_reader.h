// The one way archive bytes are read: a position over a block of memory,
// with every read checked against the end of the block.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

class ByteReader {
  public:
    explicit ByteReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    size_t position() const { return position_; }
    size_t size() const { return bytes_.size(); }
    size_t remaining() const { return position_ < bytes_.size() ? bytes_.size() - position_ : 0; }

    // Any position is accepted; past the end, reads deliver nothing.
    void seek(size_t position) { position_ = position; }
    void skip(size_t count) { position_ += count; }

    // Copies min(count, remaining) bytes and returns how many were copied.
    size_t read(uint8_t* destination, size_t count);

    // Little-endian fields; bytes past the end read as zero.
    uint8_t u8();
    uint16_t u16();
    uint32_t u32();

  private:
    std::span<const uint8_t> bytes_;
    size_t position_ = 0;
};

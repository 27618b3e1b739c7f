// The one way y3d bytes are read: a position over the file with a limit
// (the end of the chunk being read). A read that would cross the limit
// reads nothing, yields zero and marks the reader failed, with the reason;
// callers check once after a run of reads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "d3dx/d3dx_math_types.h"

class SceneByteReader {
  public:
    explicit SceneByteReader(std::span<const std::uint8_t> bytes)
        : bytes_(bytes), limit_(bytes.size()) {}

    std::size_t position() const { return position_; }
    std::size_t size() const { return bytes_.size(); }
    std::size_t limit() const { return limit_; }
    std::size_t remaining() const { return limit_ - position_; }
    // Both stay within the file; the position never passes the limit.
    void seek(std::size_t position);
    void setLimit(std::size_t limit);

    bool failed() const { return problem_ != nullptr; }
    const char* problem() const { return problem_; }

    // Whether `count` records of `recordSize` bytes fit before the limit; a
    // count that does not marks the reader failed (counts larger than what
    // is left).
    bool holds(std::uint64_t count, std::uint64_t recordSize);

    void skip(std::size_t count);
    // `count` bytes as they are in the file (a run of records whose layout
    // matches memory on this little-endian machine).
    void copy(void* out, std::size_t count);
    std::uint16_t u16();
    std::uint32_t u32();
    std::int32_t i32() { return std::int32_t(u32()); }
    float f32();
    D3DXVECTOR3 vector();
    D3DXVECTOR2 pair();
    // Bytes up to a zero byte, which is consumed. Without a zero byte
    // before the limit, the string is empty and the reader failed.
    std::string string();

  private:
    bool take(std::size_t count, const char* problem);
    void fail(const char* problem);

    std::span<const std::uint8_t> bytes_;
    std::size_t position_ = 0;
    std::size_t limit_;
    const char* problem_ = nullptr;
};

#include "scene/scene_byte_reader.h"

#include <algorithm>
#include <bit>
#include <cstring>

static_assert(std::endian::native == std::endian::little, "y3d records are copied as they lie");

void SceneByteReader::seek(std::size_t position) {
    position_ = std::min(position, limit_);
}

void SceneByteReader::setLimit(std::size_t limit) {
    limit_ = std::min(limit, bytes_.size());
    position_ = std::min(position_, limit_);
}

void SceneByteReader::fail(const char* problem) {
    if (problem_ == nullptr) problem_ = problem;
}

bool SceneByteReader::holds(std::uint64_t count, std::uint64_t recordSize) {
    if (recordSize == 0 || count <= remaining() / recordSize) return true;
    fail("count larger than what is left of the chunk");
    return false;
}

// Moves past `count` bytes if they lie before the limit.
bool SceneByteReader::take(std::size_t count, const char* problem) {
    if (failed()) return false;
    if (count > remaining()) {
        fail(problem);
        return false;
    }
    position_ += count;
    return true;
}

void SceneByteReader::skip(std::size_t count) {
    take(count, "data runs past the end of the chunk");
}

void SceneByteReader::copy(void* out, std::size_t count) {
    if (take(count, "data runs past the end of the chunk") && count > 0)
        std::memcpy(out, bytes_.data() + position_ - count, count);
}

std::uint16_t SceneByteReader::u16() {
    if (!take(2, "data runs past the end of the chunk")) return 0;
    const std::uint8_t* p = bytes_.data() + position_ - 2;
    return std::uint16_t(p[0] | (p[1] << 8));
}

std::uint32_t SceneByteReader::u32() {
    if (!take(4, "data runs past the end of the chunk")) return 0;
    const std::uint8_t* p = bytes_.data() + position_ - 4;
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
           (std::uint32_t(p[3]) << 24);
}

float SceneByteReader::f32() {
    const std::uint32_t bits = u32();
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

D3DXVECTOR3 SceneByteReader::vector() {
    const float x = f32();
    const float y = f32();
    const float z = f32();
    return {x, y, z};
}

D3DXVECTOR2 SceneByteReader::pair() {
    const float u = f32();
    const float v = f32();
    return {u, v};
}

std::string SceneByteReader::string() {
    if (failed()) return {};
    const std::uint8_t* start = bytes_.data() + position_;
    const std::uint8_t* end = bytes_.data() + limit_;
    const std::uint8_t* terminator = std::find(start, end, std::uint8_t(0));
    if (terminator == end) {
        fail("string without its terminating zero");
        return {};
    }
    position_ += std::size_t(terminator - start) + 1;
    return std::string(start, terminator);
}

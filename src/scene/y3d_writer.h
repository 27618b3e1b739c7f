// Writes y3d bytes: chunks are opened and closed like brackets, and each
// chunk's length is filled in when it closes. Fields are written as given,
// unchecked, so that tests can also make files the reader must refuse.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "d3dx/d3dx_math_types.h"
#include "scene/y3d_format.h"

class Y3dWriter {
  public:
    // A chunk header whose length is written by the matching end().
    void begin(Y3dChunk id) { begin(std::uint16_t(id)); }
    void begin(std::uint16_t id);
    // Closes the innermost open chunk; nothing when none is open.
    void end();
    std::size_t openChunks() const { return open_.size(); }

    void u16(std::uint16_t value);
    void u32(std::uint32_t value);
    void i32(std::int32_t value) { u32(std::uint32_t(value)); }
    void f32(float value);
    void vector(const D3DXVECTOR3& v);
    void pair(const D3DXVECTOR2& uv);
    // The bytes and a terminating zero.
    void string(std::string_view text);
    void bytes(std::span<const std::uint8_t> raw);

    // Closes every open chunk and hands the bytes out.
    std::vector<std::uint8_t> finish();
    const std::vector<std::uint8_t>& data() const { return bytes_; }

  private:
    std::vector<std::uint8_t> bytes_;
    std::vector<std::size_t> open_;  // header offsets of the open chunks
};

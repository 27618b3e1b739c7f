#include "scene/y3d_writer.h"

#include <cstring>

void Y3dWriter::begin(std::uint16_t id) {
    open_.push_back(bytes_.size());
    u16(id);
    u32(0);
}

void Y3dWriter::end() {
    if (open_.empty()) return;
    const std::size_t start = open_.back();
    open_.pop_back();
    const auto length = std::uint32_t(bytes_.size() - start);
    for (int i = 0; i < 4; ++i) bytes_[start + 2 + i] = std::uint8_t(length >> (8 * i));
}

void Y3dWriter::u16(std::uint16_t value) {
    bytes_.push_back(std::uint8_t(value));
    bytes_.push_back(std::uint8_t(value >> 8));
}

void Y3dWriter::u32(std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes_.push_back(std::uint8_t(value >> (8 * i)));
}

void Y3dWriter::f32(float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    u32(bits);
}

void Y3dWriter::vector(const D3DXVECTOR3& v) {
    f32(v.x);
    f32(v.y);
    f32(v.z);
}

void Y3dWriter::pair(const D3DXVECTOR2& uv) {
    f32(uv.x);
    f32(uv.y);
}

void Y3dWriter::string(std::string_view text) {
    bytes_.insert(bytes_.end(), text.begin(), text.end());
    bytes_.push_back(0);
}

void Y3dWriter::bytes(std::span<const std::uint8_t> raw) {
    bytes_.insert(bytes_.end(), raw.begin(), raw.end());
}

std::vector<std::uint8_t> Y3dWriter::finish() {
    while (!open_.empty()) end();
    return std::move(bytes_);
}

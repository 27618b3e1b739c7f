#include "d3dx/image_reader.h"

std::span<const std::uint8_t> ImageReader::take(std::size_t count) {
    if (count > remaining()) {
        failed_ = true;
        return {};
    }
    std::span<const std::uint8_t> taken = bytes_.subspan(position_, count);
    position_ += count;
    return taken;
}

std::span<const std::uint8_t> ImageReader::takeUpTo(std::size_t count) {
    return take(count < remaining() ? count : remaining());
}

bool ImageReader::seek(std::size_t position) {
    if (position > bytes_.size()) {
        failed_ = true;
        return false;
    }
    position_ = position;
    return true;
}

std::uint8_t ImageReader::u8() {
    std::span<const std::uint8_t> b = take(1);
    return b.empty() ? 0 : b[0];
}

std::uint16_t ImageReader::u16le() {
    std::span<const std::uint8_t> b = take(2);
    return b.empty() ? 0 : std::uint16_t(b[0] | b[1] << 8);
}

std::uint32_t ImageReader::u32le() {
    std::span<const std::uint8_t> b = take(4);
    return b.empty() ? 0
                     : std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 |
                           std::uint32_t(b[3]) << 24;
}

std::uint32_t ImageReader::u32be() {
    std::span<const std::uint8_t> b = take(4);
    return b.empty() ? 0
                     : std::uint32_t(b[0]) << 24 | std::uint32_t(b[1]) << 16 |
                           std::uint32_t(b[2]) << 8 | std::uint32_t(b[3]);
}

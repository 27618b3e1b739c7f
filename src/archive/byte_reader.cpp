#include "archive/byte_reader.h"

#include <algorithm>
#include <cstring>

size_t ByteReader::read(uint8_t* destination, size_t count) {
    size_t n = std::min(count, remaining());
    if (n > 0) std::memcpy(destination, bytes_.data() + position_, n);
    position_ += n;
    return n;
}

uint8_t ByteReader::u8() {
    uint8_t value = 0;
    if (remaining() > 0) value = bytes_[position_];
    position_ += 1;
    return value;
}

uint16_t ByteReader::u16() {
    uint16_t low = u8();
    return static_cast<uint16_t>(low | (u8() << 8));
}

uint32_t ByteReader::u32() {
    uint32_t low = u16();
    return low | (static_cast<uint32_t>(u16()) << 16);
}

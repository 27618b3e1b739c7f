#include "archive/crc32.h"

#include <bit>
#include <cstring>

#include "archive/crc32_folding.h"

static_assert(std::endian::native == std::endian::little, "word loads assume little-endian");

namespace {
// Below this the table is as quick as setting up the fold.
constexpr size_t kFoldingWorthIt = 256;
}  // namespace

void CrcTable::buildCrcTable() {
    for (uint32_t n = 0; n < 256; n++) {
        uint32_t value = n;
        for (int bit = 0; bit < 8; bit++)
            value = (value & 1) ? (value >> 1) ^ 0xEDB88320u : value >> 1;
        slices_[0][n] = value;
    }
    for (int slice = 1; slice < 8; slice++) {
        for (int n = 0; n < 256; n++) {
            uint32_t previous = slices_[slice - 1][n];
            slices_[slice][n] = slices_[0][previous & 0xFF] ^ (previous >> 8);
        }
    }
}

uint32_t CrcTable::crc32(uint32_t start, const uint8_t* bytes, size_t length) const {
    if (length >= kFoldingWorthIt && canFoldCrc()) return crc32Folded(start, bytes, length, *this);
    return crc32ByTable(start, bytes, length);
}

uint32_t CrcTable::crc32ByTable(uint32_t start, const uint8_t* bytes, size_t length) const {
    uint32_t crc = start;
    while (length >= 8) {
        uint32_t low, high;
        std::memcpy(&low, bytes, 4);
        std::memcpy(&high, bytes + 4, 4);
        low ^= crc;
        crc = slices_[7][low & 0xFF] ^ slices_[6][(low >> 8) & 0xFF] ^
              slices_[5][(low >> 16) & 0xFF] ^ slices_[4][low >> 24] ^ slices_[3][high & 0xFF] ^
              slices_[2][(high >> 8) & 0xFF] ^ slices_[1][(high >> 16) & 0xFF] ^
              slices_[0][high >> 24];
        bytes += 8;
        length -= 8;
    }
    while (length-- > 0) crc = slices_[0][(crc ^ *bytes++) & 0xFF] ^ (crc >> 8);
    return crc;
}

uint32_t crc32Of(const uint8_t* bytes, size_t length) {
    static const CrcTable table;
    return ~table.crc32(0xFFFFFFFFu, bytes, length);
}

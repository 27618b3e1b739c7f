// CRC-32 (reflected polynomial 0xEDB88320, as in zlib) for archive headers,
// entry contents and the cipher's key schedule.
#pragma once

#include <cstddef>
#include <cstdint>

class CrcTable {
  public:
    CrcTable() { buildCrcTable(); }

    void buildCrcTable();
    uint32_t operator[](size_t index) const { return slices_[0][index]; }

    // Running CRC: start with 0xFFFFFFFF and complement the final register.
    uint32_t crc32(uint32_t start, const uint8_t* bytes, size_t length) const;
    // The same through the tables alone.
    uint32_t crc32ByTable(uint32_t start, const uint8_t* bytes, size_t length) const;

  private:
    // slices_[0] is the classic byte table; the others let eight bytes be
    // folded in per step, with the same result.
    uint32_t slices_[8][256];
};

// Complemented CRC-32 of a whole block, as stored in archive headers.
uint32_t crc32Of(const uint8_t* bytes, size_t length);

// The data area of the entry being decoded: its remaining packed bytes,
// read from the archive and deciphered block by block when encrypted.
#pragma once

#include <cstddef>
#include <cstdint>

#include "archive/byte_reader.h"
#include "archive/cipher.h"
#include "archive/debug_log.h"

class DataArea {
  public:
    DataArea(ByteReader& archive, DebugLog& log) : archive_(archive), log_(log) {}

    // cipher is null for plain entries; it must already be prepared.
    void begin(uint32_t dataSize, Cipher* cipher, uint8_t requiredVersion);

    // Delivers at most count further bytes of the area; returns how many.
    size_t readInput(uint8_t* address, size_t count);
    uint32_t remaining() const { return remaining_; }

  private:
    ByteReader& archive_;
    DebugLog& log_;
    uint32_t remaining_ = 0;
    Cipher* cipher_ = nullptr;
    uint8_t requiredVersion_ = 0;
};

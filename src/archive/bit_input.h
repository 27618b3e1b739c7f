// The decoder's view of the data area: an 8 KiB buffer refilled from the
// archive, read sixteen bits at a time, most significant bit first. Bytes
// beyond the real input read as zero.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "archive/data_area.h"

class BitInput {
  public:
    static constexpr size_t kBufferSize = 8192;
    static constexpr size_t kKeptTail = 32;

    BitInput();

    void firstFill(DataArea& area);
    void refill(DataArea& area);
    void refillIfBeyond(size_t threshold, DataArea& area) {
        if (bytePos > threshold) refill(area);
    }

    uint32_t peek16() const {
        uint32_t word;
        std::memcpy(&word, buffer_.data() + bytePos, 4);
        return (__builtin_bswap32(word) >> (16 - bitPos)) & 0xFFFF;
    }
    void skipBits(uint32_t n) {
        bytePos += (bitPos + n) >> 3;
        bitPos = (bitPos + n) & 7;
    }
    // Reads n (1..16) bits as a number.
    uint32_t takeBits(uint32_t n) {
        uint32_t value = peek16() >> (16 - n);
        skipBits(n);
        return value;
    }

    // True when every real input bit has been used and the data area has
    // nothing more to give.
    bool exhausted(const DataArea& area) const {
        return bytePos >= validEnd_ && area.remaining() == 0;
    }

    size_t bytePos = 0;
    uint32_t bitPos = 0;
    size_t inputEnd = 0;

  private:
    std::vector<uint8_t> buffer_;
    size_t validEnd_ = 0;  // bytes of real input in the buffer
};

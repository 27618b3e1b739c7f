// The decoder's view of the data area: an 8 KiB buffer refilled from the
// archive, read sixteen bits at a time, most significant bit first. Bytes
// beyond the real input read as zero.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "archive/data_area.h"

// A read position in the buffer. Small and plain, so a decoding loop can
// keep a copy of it in registers.
struct BitCursor {
    const uint8_t* bytes = nullptr;
    size_t bytePos = 0;
    uint32_t bitPos = 0;

    uint32_t peek16() const {
        uint32_t word;
        std::memcpy(&word, bytes + bytePos, 4);
        return (__builtin_bswap32(word) >> (16 - bitPos)) & 0xFFFF;
    }
    void skipBits(uint32_t n) {
        bytePos += (bitPos + n) >> 3;
        bitPos = (bitPos + n) & 7;
    }
    // Reads n (0..16) bits as a number.
    uint32_t takeBits(uint32_t n) {
        uint32_t value = peek16() >> (16 - n);
        skipBits(n);
        return value;
    }
};

// At least 57 bits from a cursor's position in one register, for a decoding
// loop that reads no more than that per symbol and then moves the cursor on
// by `used`.
struct BitWindow {
    explicit BitWindow(const BitCursor& at) {
        uint64_t loaded;
        std::memcpy(&loaded, at.bytes + at.bytePos, 8);
        word = __builtin_bswap64(loaded) << at.bitPos;
    }

    uint32_t peek16() const { return static_cast<uint32_t>(word >> 48); }
    void skipBits(uint32_t n) {
        word <<= n;
        used += n;
    }
    // Reads n (0..16) bits as a number; two shifts, so that no bits is no
    // special case.
    uint32_t takeBits(uint32_t n) {
        uint32_t value = static_cast<uint32_t>((word >> (63 - n)) >> 1);
        skipBits(n);
        return value;
    }

    uint64_t word;
    uint32_t used = 0;
};

// A read position for a long decoding loop that reads at most 16 bits per
// step: the next 56 to 63 bits live in a register, topped up after every
// step without a branch, so the next step's bits never wait on a load
// that depends on how many bits this one took. Every bit of the register
// is the input's own, including those beyond the count.
struct BitStream {
    explicit BitStream(const BitCursor& at) : bytes(at.bytes), next(at.bytes + at.bytePos) {
        topUp();
        skipBits(at.bitPos);
    }

    uint32_t peek16() const { return static_cast<uint32_t>(held >> 48); }
    void skipBits(uint32_t n) {
        held <<= n;
        count -= n;
    }
    // Whole bytes behind the held bits join them: afterwards 56 to 63 bits
    // are held.
    void topUp() {
        uint64_t loaded;
        std::memcpy(&loaded, next, 8);
        held |= __builtin_bswap64(loaded) >> count;
        next += (63 - count) >> 3;
        count |= 56;
    }
    size_t bitsRead() const { return static_cast<size_t>(next - bytes) * 8 - count; }
    size_t bytePos() const { return bitsRead() >> 3; }
    BitCursor cursor() const { return {bytes, bytePos(), static_cast<uint32_t>(bitsRead() & 7)}; }

    const uint8_t* bytes;
    const uint8_t* next;
    uint64_t held = 0;
    uint32_t count = 0;  // bits held, before the lowest ones are refreshed
};

class BitInput {
  public:
    static constexpr size_t kBufferSize = 8192;
    static constexpr size_t kKeptTail = 32;

    BitInput();
    BitInput(const BitInput& other);
    BitInput& operator=(const BitInput&) = delete;

    void firstFill(DataArea& area);
    void refill(DataArea& area);
    void refillIfBeyond(size_t threshold, DataArea& area) {
        if (bits.bytePos > threshold) refill(area);
    }

    // True when every real input bit has been used and the data area has
    // nothing more to give.
    bool exhausted(const DataArea& area) const {
        return bits.bytePos >= validEnd_ && area.remaining() == 0;
    }
    size_t validEnd() const { return validEnd_; }

    BitCursor bits;
    size_t inputEnd = 0;

  private:
    std::vector<uint8_t> buffer_;
    size_t validEnd_ = 0;  // bytes of real input in the buffer
};

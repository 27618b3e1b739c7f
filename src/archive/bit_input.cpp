#include "archive/bit_input.h"

#include <algorithm>
#include <cstring>

namespace {
// Room for the eight bytes a BitWindow loads and for the few bytes a symbol
// can advance past a refill threshold.
constexpr size_t kPadding = 64;
}  // namespace

BitInput::BitInput() : buffer_(kBufferSize + kPadding, 0) {
    bits.bytes = buffer_.data();
}

// The copy reads its own buffer, from the same place.
BitInput::BitInput(const BitInput& other)
    : bits(other.bits),
      inputEnd(other.inputEnd),
      buffer_(other.buffer_),
      validEnd_(other.validEnd_) {
    bits.bytes = buffer_.data();
}

void BitInput::firstFill(DataArea& area) {
    std::fill(buffer_.begin(), buffer_.end(), 0);
    size_t count = area.readInput(buffer_.data(), kBufferSize);
    bits.bytePos = 0;
    bits.bitPos = 0;
    inputEnd = count;
    validEnd_ = count;
}

void BitInput::refill(DataArea& area) {
    bits.bytePos &= kKeptTail - 1;
    std::memmove(buffer_.data(), buffer_.data() + kBufferSize - kKeptTail, kKeptTail);
    std::fill(buffer_.begin() + kKeptTail, buffer_.end(), 0);
    size_t count = area.readInput(buffer_.data() + kKeptTail, kBufferSize - kKeptTail);
    size_t keptValid =
        validEnd_ > kBufferSize - kKeptTail ? validEnd_ - (kBufferSize - kKeptTail) : 0;
    validEnd_ = count > 0 ? kKeptTail + count : keptValid;
    inputEnd = count > 0 ? count + kKeptTail : bits.bytePos;
}

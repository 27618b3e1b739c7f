#include "archive/bit_input.h"

#include <algorithm>
#include <cstring>

namespace {
// Room for the two bytes peek16 reads ahead and for the few bytes a symbol
// can advance past a refill threshold.
constexpr size_t kPadding = 64;
}  // namespace

BitInput::BitInput() : buffer_(kBufferSize + kPadding, 0) {}

void BitInput::firstFill(DataArea& area) {
    std::fill(buffer_.begin(), buffer_.end(), 0);
    size_t count = area.readInput(buffer_.data(), kBufferSize);
    bytePos = 0;
    bitPos = 0;
    inputEnd = count;
    validEnd_ = count;
}

void BitInput::refill(DataArea& area) {
    bytePos &= kKeptTail - 1;
    std::memmove(buffer_.data(), buffer_.data() + kBufferSize - kKeptTail, kKeptTail);
    std::fill(buffer_.begin() + kKeptTail, buffer_.end(), 0);
    size_t count = area.readInput(buffer_.data() + kKeptTail, kBufferSize - kKeptTail);
    size_t keptValid =
        validEnd_ > kBufferSize - kKeptTail ? validEnd_ - (kBufferSize - kKeptTail) : 0;
    validEnd_ = count > 0 ? kKeptTail + count : keptValid;
    inputEnd = count > 0 ? count + kKeptTail : bytePos;
}

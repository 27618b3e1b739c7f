// Bits written most significant first, the order the decoder reads them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class BitWriter {
  public:
    // The low n bits of value, n up to 24.
    void write(uint32_t value, uint32_t n) {
        accumulator_ = (accumulator_ << n) | (value & ((1u << n) - 1));
        pending_ += n;
        while (pending_ >= 8) {
            pending_ -= 8;
            bytes_.push_back(static_cast<uint8_t>(accumulator_ >> pending_));
        }
    }

    size_t bitCount() const { return bytes_.size() * 8 + pending_; }

    // Pads the last byte with zero bits and hands the bytes over.
    std::vector<uint8_t> finish();

  private:
    std::vector<uint8_t> bytes_;
    uint64_t accumulator_ = 0;
    uint32_t pending_ = 0;
};

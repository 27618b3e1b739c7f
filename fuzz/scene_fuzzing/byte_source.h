// The fuzz bytes read front to back as small choices and numbers; once
// they run out every read gives its default (0, false, empty).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

class ByteSource {
  public:
    ByteSource(const std::uint8_t* data, std::size_t size) : data_(data), left_(size) {}

    std::uint8_t byte() {
        if (left_ == 0) return 0;
        --left_;
        return *data_++;
    }

    // 0 to n − 1 (n at most 256).
    unsigned below(unsigned n) { return n == 0 ? 0 : byte() % n; }

    // True about once in `n` reads; false when the bytes have run out.
    bool oneIn(unsigned n) { return left_ > 0 && below(n) == n - 1; }

    // Mostly small multiples of 1/8, sometimes a value that breaks
    // arithmetic, sometimes any float the next four bytes make.
    float number() {
        const std::uint8_t choice = byte();
        if (choice < 16) return special(choice);
        if (choice < 216) return float(int(choice) - 116) / 8;
        std::uint32_t bits = 0;
        for (int i = 0; i < 4; ++i) bits = bits << 8 | byte();
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

    // Up to `longest` bytes, ending early at a zero byte.
    std::string text(std::size_t longest) {
        std::string out;
        while (out.size() < longest) {
            const char c = char(byte());
            if (c == '\0') break;
            out += c;
        }
        return out;
    }

  private:
    static float special(std::uint8_t which) {
        constexpr float kInf = std::numeric_limits<float>::infinity();
        constexpr float kValues[16] = {0,      -0.0f, 1,      -1,      0.5f,     kInf,
                                       -kInf,  1e30f, -1e30f, 3.4e38f, -3.4e38f, 1e-40f,
                                       1e-30f, 1e6f,  100,    0};
        if (which == 15) return std::numeric_limits<float>::quiet_NaN();
        return kValues[which];
    }

    const std::uint8_t* data_;
    std::size_t left_;
};

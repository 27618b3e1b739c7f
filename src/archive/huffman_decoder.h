// Canonical Huffman decoding from code lengths: per length the limit of the
// left-aligned 16-bit codes and the index of its first symbol, plus a lookup
// table for codes of up to ten bits that gives the same answers faster.
#pragma once

#include <cstdint>

#include "archive/bit_input.h"
#include "archive/code_tables.h"

class HuffmanDecoder {
  public:
    static constexpr uint32_t kFastBits = 10;

    // lengths: size entries, of which only the low four bits count.
    void buildDecoder(const uint8_t* lengths, uint32_t size);

    uint32_t decodeSymbol(BitInput& in) const {
        uint32_t entry = fast_[in.peek16() >> (16 - kFastBits)];
        if (entry != 0) {
            in.skipBits(entry >> 12);
            return entry & 0xFFF;
        }
        return decodeBySearch(in);
    }

    // The length search alone, without the lookup table; decodeSymbol gives
    // the same answers.
    uint32_t decodeBySearch(BitInput& in) const;

    uint32_t symbolCount() const { return symbolCount_; }

  private:
    struct Lookup {
        uint32_t length;
        uint32_t place;
    };
    Lookup lookup(uint32_t bits) const;
    void buildFastTable();

    uint32_t symbolCount_ = 0;
    uint32_t limit_[16] = {};
    uint32_t firstIndex_[16] = {};
    uint16_t symbols_[archive::kLiteralSymbols] = {};
    uint16_t fast_[1 << kFastBits] = {};  // symbol | length << 12; 0 = use the slow path
};

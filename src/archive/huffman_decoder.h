// Canonical Huffman decoding from code lengths: per length the limit of the
// left-aligned 16-bit codes and the index of its first symbol, plus a lookup
// table for codes of up to ten bits that gives the same answers faster.
#pragma once

#include <cstdint>

#include "archive/bit_input.h"
#include "archive/code_tables.h"

class HuffmanDecoder {
  public:
    static constexpr uint32_t kFastBits = 11;

    // lengths: size entries, of which only the low four bits count.
    void buildDecoder(const uint8_t* lengths, uint32_t size);

    struct Decoded {
        uint32_t symbol;
        uint32_t length;
    };
    // The symbol whose code starts the 16 bits given, and that code's length.
    Decoded decodeBits(uint32_t bits) const {
        uint32_t entry = fast_[bits >> (16 - kFastBits)];
        if (entry != 0) return {entry & 0xFFF, entry >> 12};
        return decodeBySearch(bits);
    }
    // The length search alone, without the lookup table; decodeBits gives
    // the same answers.
    Decoded decodeBySearch(uint32_t bits) const;

    // Bits: anything with peek16() and skipBits(n).
    template <class Bits>
    uint32_t decodeSymbol(Bits& in) const {
        Decoded found = decodeBits(in.peek16());
        in.skipBits(found.length);
        return found.symbol;
    }

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

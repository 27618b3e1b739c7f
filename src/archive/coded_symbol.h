// A symbol of one of the codes of a table set, with the extra bits written
// right after it.
#pragma once

#include <cstdint>
#include <vector>

struct CodedSymbol {
    uint16_t symbol;
    uint8_t alphabet;   // LZ: 0 literal, 1 distance, 2 repeat; multimedia: channel
    uint8_t extraBits;  // up to 16
    uint32_t extra;
};

using SymbolBlock = std::vector<CodedSymbol>;

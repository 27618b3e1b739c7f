// One set of code lengths as the decoder reads it: LZ mode (literal,
// distance and repeat codes, 374 lengths) or multimedia mode (one 257-symbol
// code per channel).
#pragma once

#include <cstdint>
#include <span>

#include "archive/code_tables.h"

struct TableSet {
    bool multimedia = false;
    uint32_t channels = 1;
    uint8_t lengths[archive::kMaxTableSize] = {};  // zero beyond setSize()

    uint32_t setSize() const {
        return multimedia ? archive::kChannelSymbols * channels : archive::kLzTableSize;
    }
    bool sameLayout(const TableSet& other) const {
        return multimedia == other.multimedia && (!multimedia || channels == other.channels);
    }
};

// The codes of a table set: in LZ mode 0 literal, 1 distance, 2 repeat; in
// multimedia mode one per channel.
uint32_t alphabetCount(bool multimedia, uint32_t channels);
uint32_t alphabetSize(bool multimedia, uint32_t alphabet);
uint32_t alphabetOffset(bool multimedia, uint32_t alphabet);

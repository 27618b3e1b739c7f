// Estimated cost in sixteenths of a bit of every LZ symbol, from the codes
// last written, and the split of lengths and distances into symbol and
// extra bits.
#pragma once

#include <cstdint>

#include "archive/code_tables.h"
#include "archive/table_set.h"

struct SlotAndExtra {
    uint32_t slot;
    uint32_t extra;
};

// Index into the length tables for a coded length 0..255.
SlotAndExtra lengthSlot(uint32_t codedLength);
// Index into the distance tables for a distance 1..0x100000.
SlotAndExtra distanceSlot(uint32_t distance);
// Index into the short-distance tables for a distance 1..256.
SlotAndExtra shortDistanceSlot(uint32_t distance);

// How much longer the decoder makes a new match, or a match at a recent
// distance, than its coded length says.
inline uint32_t newMatchBonus(uint32_t distance) {
    return (distance >= 0x2000) + (distance >= 0x40000);
}
inline uint32_t recentMatchBonus(uint32_t distance) {
    return (distance >= 0x101) + newMatchBonus(distance);
}

struct LzPrices {
    uint16_t literal[archive::kLiteralSymbols];
    uint16_t distance[archive::kDistanceSymbols];
    uint16_t repeat[archive::kRepeatSymbols];

    LzPrices();
    void learnFrom(const TableSet& tables);

    uint32_t newMatch(uint32_t length, uint32_t distance) const;
    uint32_t recentMatch(uint32_t k, uint32_t length, uint32_t distance) const;
    uint32_t shortMatch(uint32_t distance) const;
    uint32_t repeatLast() const { return literal[archive::kRepeatLastMatch]; }
};

#include "archive/lz_prices.h"

#include <algorithm>

using namespace archive;

namespace {

constexpr uint16_t kBit = 16;

template <size_t N, typename T>
SlotAndExtra slotIn(const T (&base)[N], uint32_t value) {
    uint32_t slot = static_cast<uint32_t>(std::upper_bound(base, base + N, value) - base) - 1;
    return {slot, value - base[slot]};
}

void learnAlphabet(uint16_t* prices, const uint8_t* lengths, uint32_t size) {
    uint8_t longest = *std::max_element(lengths, lengths + size);
    for (uint32_t s = 0; s < size; s++) {
        uint32_t bits = lengths[s] ? lengths[s] : std::min<uint32_t>(longest + 2, 16);
        prices[s] = static_cast<uint16_t>(bits * kBit);
    }
}

}  // namespace

SlotAndExtra lengthSlot(uint32_t codedLength) {
    return slotIn(kLengthBase, codedLength);
}

SlotAndExtra distanceSlot(uint32_t distance) {
    return slotIn(kDistanceBase, distance - 1);
}

SlotAndExtra shortDistanceSlot(uint32_t distance) {
    return slotIn(kShortDistanceBase, distance - 1);
}

LzPrices::LzPrices() {
    std::fill(std::begin(literal), std::end(literal), 7 * kBit);
    std::fill(literal, literal + 256, 8 * kBit + 8);
    std::fill(std::begin(distance), std::end(distance), 5 * kBit);
    std::fill(std::begin(repeat), std::end(repeat), 4 * kBit);
}

void LzPrices::learnFrom(const TableSet& tables) {
    if (tables.multimedia) return;
    learnAlphabet(literal, tables.lengths, kLiteralSymbols);
    learnAlphabet(distance, tables.lengths + kLiteralSymbols, kDistanceSymbols);
    learnAlphabet(repeat, tables.lengths + kLiteralSymbols + kDistanceSymbols, kRepeatSymbols);
}

uint32_t LzPrices::newMatch(uint32_t length, uint32_t distance) const {
    SlotAndExtra l = lengthSlot(length - 3 - newMatchBonus(distance));
    SlotAndExtra d = distanceSlot(distance);
    return literal[kFirstNewMatch + l.slot] + kLengthExtra[l.slot] * kBit + this->distance[d.slot] +
           kDistanceExtra[d.slot] * kBit;
}

uint32_t LzPrices::recentMatch(uint32_t k, uint32_t length, uint32_t distance) const {
    SlotAndExtra l = lengthSlot(length - 2 - recentMatchBonus(distance));
    return literal[kFirstRecentDistance + k - 1] + repeat[l.slot] + kLengthExtra[l.slot] * kBit;
}

uint32_t LzPrices::shortMatch(uint32_t distance) const {
    SlotAndExtra d = shortDistanceSlot(distance);
    return literal[kFirstShortMatch + d.slot] + kShortDistanceExtra[d.slot] * kBit;
}

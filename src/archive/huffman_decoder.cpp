#include "archive/huffman_decoder.h"

#include <algorithm>
#include <iterator>

void HuffmanDecoder::buildDecoder(const uint8_t* lengths, uint32_t size) {
    uint32_t countPerLength[16] = {};
    for (uint32_t i = 0; i < size; i++) countPerLength[lengths[i] & 15]++;
    countPerLength[0] = 0;
    limit_[0] = firstIndex_[0] = 0;
    uint64_t n = 0;
    for (uint32_t length = 1; length < 16; length++) {
        n = 2 * (n + countPerLength[length]);
        limit_[length] = static_cast<uint32_t>(std::min<uint64_t>(n << (15 - length), 0xFFFF));
        firstIndex_[length] = firstIndex_[length - 1] + countPerLength[length - 1];
    }
    uint32_t nextPlace[16];
    std::copy(std::begin(firstIndex_), std::end(firstIndex_), nextPlace);
    for (uint32_t symbol = 0; symbol < size; symbol++) {
        uint32_t length = lengths[symbol] & 15;
        if (length > 0) symbols_[nextPlace[length]++] = static_cast<uint16_t>(symbol);
    }
    symbolCount_ = size;
    buildFastTable();
}

// The length of the code that starts with these 16 bits (lowest bit
// cleared) and its place in the symbol list; places at or beyond the symbol
// count stand for place 0.
HuffmanDecoder::Lookup HuffmanDecoder::lookup(uint32_t bits) const {
    uint32_t length = 15;
    if (bits < limit_[8]) {
        length = bits < limit_[4]
                     ? (bits < limit_[2] ? (bits < limit_[1] ? 1 : 2) : (bits < limit_[3] ? 3 : 4))
                     : (bits < limit_[6] ? (bits < limit_[5] ? 5 : 6) : (bits < limit_[7] ? 7 : 8));
    } else if (bits < limit_[14]) {
        length = bits < limit_[11] ? (bits < limit_[9] ? 9 : (bits < limit_[10] ? 10 : 11))
                                   : (bits < limit_[12] ? 12 : (bits < limit_[13] ? 13 : 14));
    }
    uint32_t place = firstIndex_[length] + ((bits - limit_[length - 1]) >> (16 - length));
    return {length, place < symbolCount_ ? place : 0};
}

uint32_t HuffmanDecoder::decodeBySearch(BitInput& in) const {
    Lookup found = lookup(in.peek16() & 0xFFFE);
    in.skipBits(found.length);
    return symbols_[found.place];
}

void HuffmanDecoder::buildFastTable() {
    constexpr uint32_t kSpan = 1u << (16 - kFastBits);
    for (uint32_t prefix = 0; prefix < (1u << kFastBits); prefix++) {
        Lookup first = lookup(prefix * kSpan);
        Lookup last = lookup((prefix * kSpan + kSpan - 1) & 0xFFFE);
        bool same = first.length == last.length && first.place == last.place;
        fast_[prefix] = same && first.length <= kFastBits
                            ? static_cast<uint16_t>(symbols_[first.place] | (first.length << 12))
                            : 0;
    }
}

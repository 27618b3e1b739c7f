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

HuffmanDecoder::Decoded HuffmanDecoder::decodeBySearch(uint32_t bits) const {
    Lookup found = lookup(bits & 0xFFFE);
    return {symbols_[found.place], found.length};
}

// Each code of up to kFastBits bits fills the table entries of every prefix
// it starts; codes of one length occupy [limit_[length - 1], limit_[length])
// in steps of their own size, so the entries give what lookup() gives.
void HuffmanDecoder::buildFastTable() {
    std::fill(std::begin(fast_), std::end(fast_), uint16_t{0});
    for (uint32_t length = 1; length <= kFastBits; length++) {
        uint32_t step = 1u << (16 - length);
        uint32_t prefixes = 1u << (kFastBits - length);
        for (uint32_t bits = limit_[length - 1]; bits < limit_[length]; bits += step) {
            uint32_t place = firstIndex_[length] + ((bits - limit_[length - 1]) >> (16 - length));
            uint16_t symbol = symbols_[place < symbolCount_ ? place : 0];
            uint32_t first = bits >> (16 - kFastBits);
            std::fill_n(fast_ + first, prefixes, static_cast<uint16_t>(symbol | (length << 12)));
        }
    }
}

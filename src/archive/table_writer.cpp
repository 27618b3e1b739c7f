#include "archive/table_writer.h"

#include <vector>

#include "archive/huffman_builder.h"

using namespace archive;

namespace {

struct LengthToken {
    uint8_t symbol;
    uint8_t extraBits;
    uint8_t extra;
};

constexpr uint32_t kRepeatPrevious = 16, kShortZeros = 17, kLongZeros = 18;

uint32_t runLength(const uint8_t* lengths, uint32_t from, uint32_t size, uint8_t value,
                   uint32_t limit) {
    uint32_t run = 0;
    while (from + run < size && run < limit && lengths[from + run] == value) run++;
    return run;
}

std::vector<LengthToken> tokenise(const TableSet& set, const uint8_t* previous, bool delta) {
    std::vector<LengthToken> tokens;
    uint32_t size = set.setSize();
    const uint8_t* lengths = set.lengths;
    for (uint32_t i = 0; i < size;) {
        uint32_t zeros = runLength(lengths, i, size, 0, 138);
        if (zeros >= 11) {
            tokens.push_back({kLongZeros, 7, static_cast<uint8_t>(zeros - 11)});
            i += zeros;
        } else if (zeros >= 3) {
            tokens.push_back({kShortZeros, 3, static_cast<uint8_t>(zeros - 3)});
            i += zeros;
        } else {
            uint8_t value = lengths[i];
            uint8_t symbol = delta ? (value - previous[i]) & 15 : value;
            tokens.push_back({symbol, 0, 0});
            i++;
            for (uint32_t run = runLength(lengths, i, size, value, 6); value && run >= 3;
                 run = runLength(lengths, i, size, value, 6)) {
                tokens.push_back({kRepeatPrevious, 2, static_cast<uint8_t>(run - 3)});
                i += run;
            }
        }
    }
    return tokens;
}

struct CodedTokens {
    std::vector<LengthToken> tokens;
    std::vector<uint8_t> codeLengths;
    size_t bits = 0;
};

CodedTokens codeTokens(std::vector<LengthToken> tokens) {
    std::vector<uint32_t> frequencies(kLengthsSymbols, 0);
    for (const LengthToken& t : tokens) frequencies[t.symbol]++;
    CodedTokens coded{std::move(tokens), buildCodeLengths(frequencies), 0};
    for (const LengthToken& t : coded.tokens) {
        coded.bits += coded.codeLengths[t.symbol] + t.extraBits;
    }
    return coded;
}

}  // namespace

void writeTableSet(const TableSet& set, const uint8_t* previous, bool allowDelta, BitWriter& out) {
    CodedTokens chosen = codeTokens(tokenise(set, previous, false));
    bool delta = false;
    if (allowDelta) {
        CodedTokens deltas = codeTokens(tokenise(set, previous, true));
        if (deltas.bits < chosen.bits) {
            chosen = std::move(deltas);
            delta = true;
        }
    }
    out.write(set.multimedia ? 1 : 0, 1);
    out.write(delta ? 1 : 0, 1);
    if (set.multimedia) out.write(set.channels - 1, 2);
    for (uint8_t length : chosen.codeLengths) out.write(length, 4);
    std::vector<uint16_t> codes = canonicalCodes(chosen.codeLengths);
    for (const LengthToken& t : chosen.tokens) {
        out.write(codes[t.symbol], chosen.codeLengths[t.symbol]);
        if (t.extraBits > 0) out.write(t.extra, t.extraBits);
    }
}

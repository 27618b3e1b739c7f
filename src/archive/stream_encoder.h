// Writes the compressed data of entries: LZ or multimedia symbols in blocks,
// each block either under the codes in force or after a table switch with
// new codes, whichever is shorter. It keeps the same state the decoder
// keeps, so in a solid archive one encoder runs over all compressed entries.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "archive/bit_writer.h"
#include "archive/coded_symbol.h"
#include "archive/lz_prices.h"
#include "archive/match_finder.h"
#include "archive/match_history.h"
#include "archive/sample_predictor.h"
#include "archive/table_set.h"

struct EncoderSettings {
    uint32_t maxChain = 256;
    uint32_t niceLength = 160;
    size_t lzBlockSymbols = 1 << 15;
    size_t multimediaBlockSamples = 1 << 17;
};

class StreamEncoder {
  public:
    explicit StreamEncoder(const EncoderSettings& settings = {}) : settings_(settings) {}

    // A continuation entry keeps everything from the previous one.
    void beginEntry(bool continuation);
    // data[begin, end) as LZ symbols, matches reaching back to historyStart.
    void encodeLz(const uint8_t* data, size_t begin, size_t end, size_t historyStart,
                  MatchFinder& finder);
    // data[begin, end) as multimedia samples over the given byte channels.
    void encodeMultimedia(const uint8_t* data, size_t begin, size_t end, uint32_t channels);
    // The entry's bytes. With harmlessTail a symbol the decoder drops ends
    // the data, so padding after it can never read as a table switch.
    std::vector<uint8_t> finishEntry(bool harmlessTail);

  private:
    void emitBlock(const SymbolBlock& block, bool multimedia, uint32_t channels);
    TableSet tablesFor(const SymbolBlock& block, bool multimedia, uint32_t channels) const;
    bool canReuse(const SymbolBlock& block, const TableSet& fresh) const;
    uint64_t blockBits(const SymbolBlock& block, const TableSet& tables) const;
    uint32_t switchBits() const;
    void writeSwitch();
    void adoptTables(const TableSet& fresh);
    void writeSymbol(uint32_t alphabet, uint32_t symbol);
    void writeSymbols(const SymbolBlock& block);

    EncoderSettings settings_;
    BitWriter out_;
    TableSet tables_;
    bool tablesInForce_ = false;
    uint8_t previousLengths_[archive::kMaxTableSize] = {};
    std::vector<uint16_t> codes_ = std::vector<uint16_t>(archive::kMaxTableSize, 0);
    MatchHistory history_;
    SamplePredictor predictor_;
    uint32_t decoderChannel_ = 0;
    LzPrices prices_;
};

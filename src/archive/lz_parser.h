// Turns bytes into LZ symbols: at each position the cheapest of a literal,
// a new match, a match at one of the four recent distances, a repeat of the
// last match or a two-byte short match, judged by estimated bits saved, with
// one position of look-ahead before committing to a match.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "archive/coded_symbol.h"
#include "archive/lz_prices.h"
#include "archive/match_finder.h"
#include "archive/match_history.h"

class LzParser {
  public:
    using BlockSink = std::function<void(SymbolBlock&)>;

    LzParser(const uint8_t* data, MatchFinder& finder, MatchHistory& history,
             const LzPrices& prices)
        : data_(data), finder_(finder), history_(history), prices_(prices) {}

    // Parses data[begin, end); matches reach back no further than
    // historyStart. Every blockSymbols symbols, and at the end, the block
    // is handed to sink (which may change the prices).
    void parse(size_t begin, size_t end, size_t historyStart, size_t blockSymbols,
               const BlockSink& sink);

  private:
    enum class Kind { Literal, NewMatch, Recent, RepeatLast, Short };
    struct Choice {
        Kind kind = Kind::Literal;
        uint32_t length = 1;
        uint32_t distance = 0;
        uint32_t recentIndex = 0;
        int32_t gain = 0;
    };

    Choice bestAt(size_t position);
    void considerNewMatches(size_t position, Choice& best);
    void considerRecent(size_t position, Choice& best);
    void considerShort(size_t position, Choice& best);
    int32_t literalSum(size_t position, uint32_t length);
    void emit(const Choice& choice, size_t position, SymbolBlock& block);
    void emitNewMatch(const Choice& choice, SymbolBlock& block);
    void emitRecent(const Choice& choice, SymbolBlock& block);

    const uint8_t* data_;
    MatchFinder& finder_;
    MatchHistory& history_;
    const LzPrices& prices_;
    size_t end_ = 0;
    size_t historyStart_ = 0;
    std::vector<MatchCandidate> candidates_;
    size_t sumStart_ = SIZE_MAX;
    std::vector<int32_t> sums_;
};

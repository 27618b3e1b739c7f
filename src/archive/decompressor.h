// Decodes the data area of a compressed entry: LZ matches over a 1 MiB
// window driven by three Huffman codes, or multimedia mode with one code per
// byte channel and a sample predictor. In a solid archive the whole state
// carries over to the next entry.
#pragma once

#include <algorithm>
#include <cstdint>

#include "archive/bit_input.h"
#include "archive/block_header.h"
#include "archive/data_area.h"
#include "archive/debug_log.h"
#include "archive/huffman_decoder.h"
#include "archive/match_history.h"
#include "archive/output_buffer.h"
#include "archive/sample_predictor.h"

class Decompressor {
  public:
    // window: kWindowSize bytes owned by the caller.
    Decompressor(uint8_t* window, DebugLog& log) : window_(window), log_(log) {}

    // Produces the entry's fullSize bytes into the window; they reach output
    // only when it is given (the wanted entry).
    void decompressEntry(const BlockHeader& header, DataArea& area, OutputBuffer* output);

  private:
    void startEntry(const BlockHeader& header);
    void readCodeLengths();
    void readLengthSet(uint8_t* lengths, uint32_t setSize);
    void buildCodes(const uint8_t* lengths);
    struct Match {
        uint32_t length;
        uint32_t distance;
    };

    // What a fast loop may decode: it stops before the input needs a refill
    // or runs out, and before the window needs a flush or would wrap.
    struct RunBounds {
        size_t inputLimit;
        uint32_t outputEnd;
        bool allow(int64_t left, uint32_t out, size_t bytePos) const {
            return left >= 0 && out + kFlushMargin <= outputEnd && bytePos < inputLimit;
        }
        // How many steps in a row surely pass allow(), when each produces
        // one byte and moves the input on by at most two bytes (a symbol
        // of up to 15 bits).
        size_t bytewiseSteps(int64_t left, uint32_t out, size_t bytePos) const {
            if (!allow(left, out, bytePos)) return 0;
            uint64_t byOutput = std::min<uint64_t>(left + 1, outputEnd - kFlushMargin - out + 1);
            return std::min<uint64_t>(byOutput, (inputLimit - bytePos + 1) / 2);
        }
    };
    // One symbol produces at most 260 bytes; flush before the window could
    // overtake bytes not yet handed on.
    static constexpr uint32_t kFlushMargin = 270;

    bool decodeOne();
    RunBounds runBounds() const;
    void decodeMultimedia();
    void decodeMultimediaRun();
    template <uint32_t Channels>
    void decodeMultimediaRounds();
    void decodeLz();
    void decodeLzRun();
    // Bits: BitCursor or BitWindow.
    template <class Bits>
    Match decodeMatch(uint32_t symbol, Bits& bits);
    template <class Bits>
    Match decodeNewMatch(uint32_t symbol, Bits& bits);
    template <class Bits>
    Match decodeRecentDistance(uint32_t symbol, Bits& bits);
    template <class Bits>
    Match decodeShortMatch(uint32_t symbol, Bits& bits);
    void copyMatch(Match match);
    void finishEntry();
    void flush();

    uint8_t* window_;
    DebugLog& log_;
    DataArea* area_ = nullptr;
    OutputBuffer* output_ = nullptr;
    BitInput in_;

    bool started_ = false;  // the window has been zeroed
    uint32_t outPos_ = 0;
    uint32_t flushedPos_ = 0;
    int64_t bytesLeft_ = 0;

    HuffmanDecoder literalCode_, distanceCode_, repeatCode_, lengthsCode_;
    HuffmanDecoder channelCode_[archive::kMaxChannels];
    uint8_t previousLengths_[archive::kMaxTableSize] = {};

    MatchHistory history_;

    bool multimediaMode_ = false;
    uint32_t channelCount_ = 1;
    uint32_t currentChannel_ = 0;
    SamplePredictor predictor_;
};

// Compresses the entries of one archive in order. In a solid archive the
// compressed entries form one stream: one window, one set of matches and
// codes running on from entry to entry. Each entry is tried as LZ data and,
// when it is PCM audio, in multimedia mode (in a solid archive also as a
// fresh start, since the sample predictor adapts slowly to a new file); the
// shortest wins, and an entry that does not shrink is left to be stored, as
// if it had not been seen.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "archive/match_finder.h"
#include "archive/stream_encoder.h"

struct CompressedEntry {
    std::vector<uint8_t> data;
    bool continuation = false;  // decoder state carries over from the previous entry
    bool multimedia = false;
};

class EntryCompressor {
  public:
    // totalSize: the sum of all entry sizes (a solid archive keeps them all).
    EntryCompressor(bool solid, size_t totalSize, const EncoderSettings& settings = {});

    // Nothing when the entry is better stored. harmlessTail as for
    // StreamEncoder::finishEntry.
    std::optional<CompressedEntry> compress(std::span<const uint8_t> entry, bool harmlessTail);

  private:
    struct Trial {
        StreamEncoder encoder;
        std::unique_ptr<MatchFinder> finder;
        CompressedEntry result;
    };

    Trial runTrial(bool multimedia, bool freshStart, size_t begin, size_t end, bool harmlessTail);
    void encodeMultimedia(StreamEncoder& encoder, MatchFinder& finder, size_t begin, size_t end);

    bool solid_;
    EncoderSettings settings_;
    std::vector<uint8_t> data_;  // the solid stream so far, or the current entry
    StreamEncoder encoder_;
    std::unique_ptr<MatchFinder> finder_;
    bool anyCompressed_ = false;
    size_t historyStart_ = 0;  // where the decoder's window was last reset
};

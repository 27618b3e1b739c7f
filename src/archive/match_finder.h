// Finds earlier occurrences of the bytes at a position within the last
// 1 MiB: hash chains over three-byte prefixes, and the latest position of
// each two-byte prefix for the shortest matches.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct MatchCandidate {
    uint32_t length;
    uint32_t distance;
};

class MatchFinder {
  public:
    static constexpr uint32_t kMaxDistance = 0xFFFFF;

    // data must stay valid (and unmoved) while the finder is used.
    MatchFinder(const uint8_t* data, uint32_t maxChain, uint32_t niceLength);

    // Positions must be inserted in increasing order; end is the end of data.
    void insert(size_t position, size_t end);

    // Candidates of increasing length (each the nearest of its length) with
    // sources at or after historyStart.
    void findMatches(size_t position, size_t end, size_t historyStart, uint32_t maxLength,
                     std::vector<MatchCandidate>& found) const;

    // Distance of the latest earlier position with the same two bytes, or 0.
    uint32_t nearestPair(size_t position, size_t end, size_t historyStart) const;

    uint32_t matchLength(size_t position, uint32_t distance, uint32_t maxLength) const;

  private:
    const uint8_t* data_;
    uint32_t maxChain_;
    uint32_t niceLength_;
    std::vector<uint32_t> head_;  // position + 1, 0 for none
    std::vector<uint32_t> previous_;
    std::vector<uint32_t> pairHead_;
};

// The decoder's memory of earlier matches, kept by the encoder too so that
// it can use the short codes for them: the last four distances (every match
// adds one) and the last match's length and distance.
#pragma once

#include <cstdint>

struct MatchHistory {
    uint32_t recentDistances[4] = {};
    uint32_t recentCount = 0;
    uint32_t lastMatchDistance = 0;
    uint32_t lastMatchLength = 0;

    // k = 1 is the most recent distance.
    uint32_t recent(uint32_t k) const { return recentDistances[(recentCount - k) & 3]; }

    void record(uint32_t distance, uint32_t length) {
        recentDistances[recentCount++ & 3] = distance;
        lastMatchDistance = distance;
        lastMatchLength = length;
    }
    // Repeating the last match adds its distance but keeps it the last match.
    void recordRepeat() { recentDistances[recentCount++ & 3] = lastMatchDistance; }
};

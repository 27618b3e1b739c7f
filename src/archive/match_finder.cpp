#include "archive/match_finder.h"

namespace {

constexpr uint32_t kHashBits = 17;
constexpr uint32_t kRingSize = 1u << 20;
constexpr uint32_t kGoodLength = 32;

uint32_t hash3(const uint8_t* p) {
    uint32_t v = p[0] | (p[1] << 8) | (p[2] << 16);
    return (v * 2654435761u) >> (32 - kHashBits);
}

uint32_t pair(const uint8_t* p) {
    return p[0] | (p[1] << 8);
}

}  // namespace

MatchFinder::MatchFinder(const uint8_t* data, uint32_t maxChain, uint32_t niceLength)
    : data_(data),
      maxChain_(maxChain),
      niceLength_(niceLength),
      head_(1u << kHashBits, 0),
      previous_(kRingSize, 0),
      pairHead_(1u << 16, 0) {}

void MatchFinder::insert(size_t position, size_t end) {
    if (position + 2 > end) return;
    pairHead_[pair(data_ + position)] = static_cast<uint32_t>(position + 1);
    if (position + 3 > end) return;
    uint32_t h = hash3(data_ + position);
    previous_[position & (kRingSize - 1)] = head_[h];
    head_[h] = static_cast<uint32_t>(position + 1);
}

uint32_t MatchFinder::matchLength(size_t position, uint32_t distance, uint32_t maxLength) const {
    const uint8_t* a = data_ + position;
    const uint8_t* b = a - distance;
    uint32_t length = 0;
    while (length < maxLength && a[length] == b[length]) length++;
    return length;
}

void MatchFinder::findMatches(size_t position, size_t end, size_t historyStart, uint32_t maxLength,
                              std::vector<MatchCandidate>& found) const {
    found.clear();
    if (position + 3 > end) return;
    uint32_t best = 2;
    uint32_t candidate = head_[hash3(data_ + position)];
    for (uint32_t chain = maxChain_; candidate > 0 && chain > 0; chain--) {
        size_t source = candidate - 1;
        if (source >= position || source < historyStart) break;
        size_t distance = position - source;
        if (distance > kMaxDistance) break;
        if (data_[source + best] == data_[position + best]) {
            uint32_t length = matchLength(position, static_cast<uint32_t>(distance), maxLength);
            if (length > best) {
                bool firstGood = length >= kGoodLength && best < kGoodLength;
                best = length;
                found.push_back({length, static_cast<uint32_t>(distance)});
                if (length >= niceLength_ || length >= maxLength) break;
                // A good match already: look less far for a better one.
                if (firstGood) chain = chain / 4 + 1;
            }
        }
        uint32_t next = previous_[source & (kRingSize - 1)];
        if (next >= candidate) break;  // the ring slot was reused by a newer position
        candidate = next;
    }
}

uint32_t MatchFinder::nearestPair(size_t position, size_t end, size_t historyStart) const {
    if (position + 2 > end) return 0;
    uint32_t candidate = pairHead_[pair(data_ + position)];
    if (candidate == 0 || candidate - 1 < historyStart || candidate - 1 >= position) return 0;
    return static_cast<uint32_t>(position - (candidate - 1));
}

#include "archive/huffman_builder.h"

#include <algorithm>
#include <queue>

namespace {

struct Node {
    uint64_t weight;
    int left, right;  // -1 for a leaf
    int symbol;
};

void assignDepths(const std::vector<Node>& nodes, int index, uint8_t depth,
                  std::vector<uint8_t>& lengths) {
    const Node& node = nodes[index];
    if (node.left < 0) {
        lengths[node.symbol] = std::max<uint8_t>(depth, 1);
        return;
    }
    assignDepths(nodes, node.left, depth + 1, lengths);
    assignDepths(nodes, node.right, depth + 1, lengths);
}

std::vector<uint8_t> unlimitedLengths(const std::vector<uint64_t>& frequencies) {
    std::vector<Node> nodes;
    using Entry = std::pair<uint64_t, int>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> queue;
    for (size_t s = 0; s < frequencies.size(); s++) {
        if (frequencies[s] == 0) continue;
        queue.push({frequencies[s], static_cast<int>(nodes.size())});
        nodes.push_back({frequencies[s], -1, -1, static_cast<int>(s)});
    }
    std::vector<uint8_t> lengths(frequencies.size(), 0);
    if (nodes.empty()) return lengths;
    while (queue.size() > 1) {
        Entry a = queue.top();
        queue.pop();
        Entry b = queue.top();
        queue.pop();
        queue.push({a.first + b.first, static_cast<int>(nodes.size())});
        nodes.push_back({a.first + b.first, a.second, b.second, -1});
    }
    assignDepths(nodes, queue.top().second, 0, lengths);
    return lengths;
}

}  // namespace

// Too long a code is cured by flattening the frequencies and building again.
std::vector<uint8_t> buildCodeLengths(const std::vector<uint32_t>& frequencies,
                                      uint32_t maxLength) {
    std::vector<uint64_t> weights(frequencies.begin(), frequencies.end());
    for (;;) {
        std::vector<uint8_t> lengths = unlimitedLengths(weights);
        if (*std::max_element(lengths.begin(), lengths.end()) <= maxLength) return lengths;
        for (uint64_t& w : weights) {
            if (w > 0) w = (w + 1) / 2;
        }
    }
}

std::vector<uint16_t> canonicalCodes(const std::vector<uint8_t>& lengths) {
    uint32_t count[kMaxCodeLength + 1] = {};
    for (uint8_t length : lengths) count[length]++;
    count[0] = 0;
    uint32_t next[kMaxCodeLength + 2] = {};
    uint32_t code = 0;
    for (uint32_t length = 1; length <= kMaxCodeLength; length++) {
        code = (code + count[length - 1]) << 1;
        next[length] = code;
    }
    std::vector<uint16_t> codes(lengths.size(), 0);
    for (size_t s = 0; s < lengths.size(); s++) {
        if (lengths[s] > 0) codes[s] = static_cast<uint16_t>(next[lengths[s]]++);
    }
    return codes;
}

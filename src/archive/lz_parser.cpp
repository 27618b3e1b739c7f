#include "archive/lz_parser.h"

#include <algorithm>

using namespace archive;

namespace {
constexpr uint32_t kLongestMatch = 260;
}

void LzParser::parse(size_t begin, size_t end, size_t historyStart, size_t blockSymbols,
                     const BlockSink& sink) {
    end_ = end;
    historyStart_ = historyStart;
    SymbolBlock block;
    Choice pending;
    bool hasPending = false;
    for (size_t position = begin; position < end;) {
        Choice current = hasPending ? pending : bestAt(position);
        hasPending = false;
        finder_.insert(position, end);
        if (current.kind != Kind::Literal && position + 1 < end) {
            pending = bestAt(position + 1);
            if (pending.gain > current.gain) {
                current = Choice{};  // a literal here, the better match one byte on
                hasPending = true;
            }
        }
        emit(current, position, block);
        for (size_t i = 1; i < current.length; i++) finder_.insert(position + i, end);
        position += current.length;
        if (block.size() >= blockSymbols) {
            sink(block);
            block.clear();
            sumStart_ = SIZE_MAX;  // the prices may have changed
            hasPending = false;
        }
    }
    if (!block.empty()) sink(block);
}

LzParser::Choice LzParser::bestAt(size_t position) {
    Choice best;
    considerNewMatches(position, best);
    considerRecent(position, best);
    considerShort(position, best);
    return best;
}

// Sum of the literal prices of the bytes from position on: what a match
// covering them saves before its own cost.
int32_t LzParser::literalSum(size_t position, uint32_t length) {
    if (sumStart_ != position) {
        sumStart_ = position;
        sums_.assign(1, 0);
    }
    while (sums_.size() <= length) {
        sums_.push_back(sums_.back() + prices_.literal[data_[position + sums_.size() - 1]]);
    }
    return sums_[length];
}

void LzParser::considerNewMatches(size_t position, Choice& best) {
    uint32_t room = static_cast<uint32_t>(std::min<size_t>(end_ - position, kLongestMatch));
    finder_.findMatches(position, end_, historyStart_, room, candidates_);
    for (const MatchCandidate& m : candidates_) {
        uint32_t length = std::min(m.length, 258 + newMatchBonus(m.distance));
        if (length < 3 + newMatchBonus(m.distance)) continue;
        int32_t gain = literalSum(position, length) -
                       static_cast<int32_t>(prices_.newMatch(length, m.distance));
        if (gain > best.gain) best = {Kind::NewMatch, length, m.distance, 0, gain};
    }
}

void LzParser::considerRecent(size_t position, Choice& best) {
    uint32_t room = static_cast<uint32_t>(std::min<size_t>(end_ - position, kLongestMatch));
    uint32_t lastDistance = history_.lastMatchDistance;
    uint32_t lastLength = history_.lastMatchLength;
    if (lastDistance > 0 && lastLength > 0 && lastLength <= room &&
        position - historyStart_ >= lastDistance &&
        finder_.matchLength(position, lastDistance, lastLength) == lastLength) {
        int32_t gain =
            literalSum(position, lastLength) - static_cast<int32_t>(prices_.repeatLast());
        if (gain > best.gain) best = {Kind::RepeatLast, lastLength, lastDistance, 0, gain};
    }
    for (uint32_t k = 1; k <= 4; k++) {
        uint32_t distance = history_.recent(k);
        if (distance == 0 || position - historyStart_ < distance) continue;
        uint32_t bonus = recentMatchBonus(distance);
        uint32_t length = finder_.matchLength(position, distance, std::min(room, 257 + bonus));
        if (length < 2 + bonus) continue;
        int32_t gain = literalSum(position, length) -
                       static_cast<int32_t>(prices_.recentMatch(k, length, distance));
        if (gain > best.gain) best = {Kind::Recent, length, distance, k, gain};
    }
}

void LzParser::considerShort(size_t position, Choice& best) {
    uint32_t distance = finder_.nearestPair(position, end_, historyStart_);
    if (distance == 0 || distance > 256) return;
    int32_t gain = literalSum(position, 2) - static_cast<int32_t>(prices_.shortMatch(distance));
    if (gain > best.gain) best = {Kind::Short, 2, distance, 0, gain};
}

void LzParser::emit(const Choice& choice, size_t position, SymbolBlock& block) {
    switch (choice.kind) {
        case Kind::Literal:
            block.push_back({data_[position], 0, 0, 0});
            break;
        case Kind::NewMatch:
            emitNewMatch(choice, block);
            break;
        case Kind::Recent:
            emitRecent(choice, block);
            break;
        case Kind::RepeatLast:
            block.push_back({kRepeatLastMatch, 0, 0, 0});
            history_.recordRepeat();
            break;
        case Kind::Short: {
            SlotAndExtra d = shortDistanceSlot(choice.distance);
            block.push_back({static_cast<uint16_t>(kFirstShortMatch + d.slot), 0,
                             kShortDistanceExtra[d.slot], d.extra});
            history_.record(choice.distance, 2);
            break;
        }
    }
}

void LzParser::emitNewMatch(const Choice& choice, SymbolBlock& block) {
    SlotAndExtra l = lengthSlot(choice.length - 3 - newMatchBonus(choice.distance));
    SlotAndExtra d = distanceSlot(choice.distance);
    block.push_back(
        {static_cast<uint16_t>(kFirstNewMatch + l.slot), 0, kLengthExtra[l.slot], l.extra});
    block.push_back({static_cast<uint16_t>(d.slot), 1, kDistanceExtra[d.slot], d.extra});
    history_.record(choice.distance, choice.length);
}

void LzParser::emitRecent(const Choice& choice, SymbolBlock& block) {
    SlotAndExtra l = lengthSlot(choice.length - 2 - recentMatchBonus(choice.distance));
    block.push_back(
        {static_cast<uint16_t>(kFirstRecentDistance + choice.recentIndex - 1), 0, 0, 0});
    block.push_back({static_cast<uint16_t>(l.slot), 2, kLengthExtra[l.slot], l.extra});
    history_.record(choice.distance, choice.length);
}

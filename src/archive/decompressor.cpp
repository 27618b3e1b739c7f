#include "archive/decompressor.h"

#include <algorithm>
#include <cstring>
#include <iterator>

using namespace archive;

namespace {
constexpr size_t kMainLoopRefill = 8162;
constexpr size_t kTableRefill = 8167;
constexpr size_t kLengthSymbolRefill = 8187;

// Copies a match to window[to..to+length), which must not wrap, as if byte
// by byte, so a match longer than its distance repeats the pattern. Eight
// bytes at a time when the source lies at least eight bytes behind the
// target; the last step may overlap the one before, since everything it
// reads is final by then.
inline void copyForward(uint8_t* window, uint32_t to, uint32_t length, uint32_t distance) {
    uint32_t from = (to - distance) & kWindowMask;
    uint8_t* target = window + to;
    const uint8_t* source = window + from;
    if (from > to || distance < 8 || length < 8) {
        for (uint32_t i = 0; i < length; i++) window[to + i] = window[(from + i) & kWindowMask];
        return;
    }
    uint32_t i = 0;
    for (; i + 8 <= length; i += 8) std::memcpy(target + i, source + i, 8);
    if (i < length) std::memcpy(target + length - 8, source + length - 8, 8);
}
}  // namespace

void Decompressor::decompressEntry(const BlockHeader& header, DataArea& area,
                                   OutputBuffer* output) {
    area_ = &area;
    output_ = output;
    startEntry(header);
    in_.firstFill(area);
    if (!header.isSolidContinuation()) readCodeLengths();
    bytesLeft_ = static_cast<int64_t>(header.fullSize) - 1;
    bool ranDry = false;
    while (bytesLeft_ >= 0) {
        if (!decodeOne()) {
            ranDry = true;
            break;
        }
    }
    if (ranDry) {
        log_.write("Packed data ended before the entry was complete.");
    } else {
        finishEntry();
    }
    flush();
}

// The first entry starts afresh even when it claims to continue an earlier
// one, so a lying header still decodes the same way every time.
void Decompressor::startEntry(const BlockHeader& header) {
    if (header.isSolidContinuation() && started_) return;
    started_ = true;
    currentChannel_ = 0;
    predictor_.reset();
    std::fill(std::begin(previousLengths_), std::end(previousLengths_), uint8_t{0});
    history_ = MatchHistory{};
    outPos_ = flushedPos_ = 0;
    std::memset(window_, 0, kWindowSize);
}

// One step of the main loop; false when the input has clearly run out. The
// step is one symbol decoded with every check, then as many as a fast loop
// can take before the next check could matter.
bool Decompressor::decodeOne() {
    outPos_ &= kWindowMask;
    in_.refillIfBeyond(kMainLoopRefill, *area_);
    if (in_.exhausted(*area_)) return false;
    if (((flushedPos_ - outPos_) & kWindowMask) < kFlushMargin && flushedPos_ != outPos_) {
        flush();
    }
    if (multimediaMode_) {
        decodeMultimedia();
        decodeMultimediaRun();
    } else {
        decodeLz();
        decodeLzRun();
    }
    return true;
}

void Decompressor::decodeMultimedia() {
    uint32_t s = channelCode_[currentChannel_].decodeSymbol(in_.bits);
    if (s == kChannelTableSwitch) {
        readCodeLengths();
        return;
    }
    window_[outPos_] = predictor_.predictSample(currentChannel_, s);
    outPos_ = (outPos_ + 1) & kWindowMask;
    currentChannel_ = (currentChannel_ + 1) % channelCount_;
    bytesLeft_--;
}

Decompressor::RunBounds Decompressor::runBounds() const {
    return {std::min<size_t>(kMainLoopRefill + 1, in_.validEnd()),
            flushedPos_ > outPos_ ? flushedPos_ : kWindowSize};
}

void Decompressor::decodeMultimediaRun() {
    if (!multimediaMode_) return;
    switch (channelCount_) {
        case 1:
            decodeMultimediaRounds<1>();
            break;
        case 2:
            decodeMultimediaRounds<2>();
            break;
        case 3:
            decodeMultimediaRounds<3>();
            break;
        default:
            decodeMultimediaRounds<4>();
            break;
    }
}

// The same as decodeMultimedia under decodeLzRun's conditions, with the
// predictor, the channel, the position and the input bits in locals. The
// bounds are checked once per stretch of steps that surely pass them, and
// within a stretch whole rounds over the channels run unrolled, so each
// step knows its channel's code and predictor state at compile time; that
// leaves the registers to the input bits and the predictor. One function
// on purpose: split, the predictor would be memory that every byte stored
// into the window might alias.
template <uint32_t Channels>
void Decompressor::decodeMultimediaRounds() {
    BitStream bits(in_.bits);
    uint8_t* const window = window_;
    uint32_t out = outPos_;
    uint32_t channel = currentChannel_;
    SamplePredictor predictor = predictor_;
    const RunBounds bounds = runBounds();
    // One sample on channel c; false at the table switch.
    auto step = [&](uint32_t c) {
        uint32_t s = channelCode_[c].decodeSymbol(bits);
        bits.topUp();
        if (s == kChannelTableSwitch) return false;
        window[out++] = predictor.predictSample(c, s);
        return true;
    };
    auto stepAndTurn = [&] {
        if (!step(channel)) return false;
        channel = channel + 1 == Channels ? 0 : channel + 1;
        return true;
    };
    bool tableSwitch = false;
    while (!tableSwitch) {
        size_t steps = bounds.bytewiseSteps(bytesLeft_, out, bits.bytePos());
        if (steps == 0) break;
        uint32_t stretchStart = out;
        for (; steps > 0 && channel != 0 && !tableSwitch; steps--) tableSwitch = !stepAndTurn();
        for (; steps >= Channels && !tableSwitch; steps -= Channels) {
#pragma GCC unroll 4
            for (uint32_t c = 0; c < Channels; c++) {
                if (!step(c)) {
                    channel = c;
                    tableSwitch = true;
                    break;
                }
            }
        }
        for (; steps > 0 && !tableSwitch; steps--) tableSwitch = !stepAndTurn();
        bytesLeft_ -= out - stretchStart;
    }
    in_.bits = bits.cursor();
    outPos_ = out;
    currentChannel_ = channel;
    predictor_ = predictor;
    if (tableSwitch) readCodeLengths();
}

// A match symbol (any but a literal or the table switch); the match becomes
// the last one and joins the recent distances.
template <class Bits>
Decompressor::Match Decompressor::decodeMatch(uint32_t symbol, Bits& bits) {
    Match match{history_.lastMatchLength, history_.lastMatchDistance};
    if (symbol >= kFirstNewMatch) {
        match = decodeNewMatch(symbol, bits);
    } else if (symbol != kRepeatLastMatch) {
        match = symbol < kFirstShortMatch ? decodeRecentDistance(symbol, bits)
                                          : decodeShortMatch(symbol, bits);
    }
    history_.record(match.distance, match.length);
    return match;
}

template <class Bits>
Decompressor::Match Decompressor::decodeNewMatch(uint32_t symbol, Bits& bits) {
    uint32_t i = symbol - kFirstNewMatch;
    uint32_t length = kLengthBase[i] + 3;
    length += bits.takeBits(kLengthExtra[i]);
    uint32_t j = distanceCode_.decodeSymbol(bits);
    uint32_t distance = kDistanceBase[j] + 1;
    distance += bits.takeBits(kDistanceExtra[j]);
    if (distance >= 0x2000) length++;
    if (distance >= 0x40000) length++;
    return {length, distance};
}

template <class Bits>
Decompressor::Match Decompressor::decodeRecentDistance(uint32_t symbol, Bits& bits) {
    uint32_t distance = history_.recent(symbol - 256);
    uint32_t j = repeatCode_.decodeSymbol(bits);
    uint32_t length = kLengthBase[j] + 2;
    length += bits.takeBits(kLengthExtra[j]);
    if (distance >= 0x101) length++;
    if (distance >= 0x2000) length++;
    if (distance >= 0x40000) length++;
    return {length, distance};
}

template <class Bits>
Decompressor::Match Decompressor::decodeShortMatch(uint32_t symbol, Bits& bits) {
    uint32_t i = symbol - kFirstShortMatch;
    return {2, kShortDistanceBase[i] + 1 + bits.takeBits(kShortDistanceExtra[i])};
}

// One LZ symbol of any kind, wherever the window stands.
void Decompressor::decodeLz() {
    uint32_t s = literalCode_.decodeSymbol(in_.bits);
    if (s < 256) {
        window_[outPos_] = static_cast<uint8_t>(s);
        outPos_ = (outPos_ + 1) & kWindowMask;
        bytesLeft_--;
    } else if (s == kTableSwitch) {
        readCodeLengths();
    } else {
        copyMatch(decodeMatch(s, in_.bits));
    }
}

// The same symbols as decodeLz, for as long as no refill, flush, window wrap
// or table switch can come within one symbol. The state lives in locals
// meanwhile: every byte stored into the window could alias the members, so
// the compiler would otherwise reload them after each one. Each match is
// copied only after the next symbol has been read, with its source
// prefetched meanwhile: sources up to a window back are often out of the
// cache, and reading symbols never touches the window.
void Decompressor::decodeLzRun() {
    if (multimediaMode_) return;
    BitCursor bits = in_.bits;
    uint8_t* const window = window_;
    uint32_t out = outPos_;
    int64_t left = bytesLeft_;
    const RunBounds bounds = runBounds();
    bool tableSwitch = false;
    Match pending{0, 0};
    uint32_t pendingTo = 0;
    while (bounds.allow(left, out, bits.bytePos)) {
        BitWindow symbolBits(bits);
        uint32_t s = literalCode_.decodeSymbol(symbolBits);
        if (pending.length > 0) copyForward(window, pendingTo, pending.length, pending.distance);
        pending.length = 0;
        if (s < 256) {
            bits.skipBits(symbolBits.used);
            window[out++] = static_cast<uint8_t>(s);
            left--;
            continue;
        }
        if (s == kTableSwitch) {
            bits.skipBits(symbolBits.used);
            tableSwitch = true;
            break;
        }
        pending = decodeMatch(s, symbolBits);
        bits.skipBits(symbolBits.used);
        __builtin_prefetch(window + ((out - pending.distance) & kWindowMask));
        pendingTo = out;
        out += pending.length;
        left -= pending.length;
    }
    if (pending.length > 0) copyForward(window, pendingTo, pending.length, pending.distance);
    in_.bits = bits;
    outPos_ = out;
    bytesLeft_ = left;
    if (tableSwitch) readCodeLengths();
}

void Decompressor::copyMatch(Match match) {
    bytesLeft_ -= match.length;
    if (outPos_ + match.length <= kWindowSize) {
        copyForward(window_, outPos_, match.length, match.distance);
        outPos_ = (outPos_ + match.length) & kWindowMask;
        return;
    }
    for (uint32_t i = 0; i < match.length; i++) {
        window_[outPos_] = window_[(outPos_ - match.distance) & kWindowMask];
        outPos_ = (outPos_ + 1) & kWindowMask;
    }
}

void Decompressor::readCodeLengths() {
    in_.refillIfBeyond(kTableRefill, *area_);
    uint32_t b = in_.bits.peek16();
    multimediaMode_ = b & 0x8000;
    if (!(b & 0x4000)) std::fill(std::begin(previousLengths_), std::end(previousLengths_), 0);
    in_.bits.skipBits(2);
    uint32_t setSize = kLzTableSize;
    if (multimediaMode_) {
        channelCount_ = ((b >> 12) & 3) + 1;
        if (currentChannel_ >= channelCount_) currentChannel_ = 0;
        in_.bits.skipBits(2);
        setSize = kChannelSymbols * channelCount_;
    }
    uint8_t lengthsLengths[kLengthsSymbols];
    for (uint8_t& length : lengthsLengths) length = static_cast<uint8_t>(in_.bits.takeBits(4));
    lengthsCode_.buildDecoder(lengthsLengths, kLengthsSymbols);
    uint8_t lengths[kMaxTableSize] = {};
    readLengthSet(lengths, setSize);
    buildCodes(lengths);
    std::memcpy(previousLengths_, lengths, kMaxTableSize);
}

void Decompressor::readLengthSet(uint8_t* lengths, uint32_t setSize) {
    uint32_t i = 0;
    while (i < setSize) {
        in_.refillIfBeyond(kLengthSymbolRefill, *area_);
        uint32_t s = lengthsCode_.decodeSymbol(in_.bits);
        if (s < 16) {
            lengths[i] = static_cast<uint8_t>((s + previousLengths_[i]) & 15);
            i++;
            continue;
        }
        uint32_t n = 0;
        uint8_t value = 0;
        if (s == 16) {
            n = in_.bits.takeBits(2) + 3;
            value = i > 0 ? lengths[i - 1] : 0;
        } else if (s == 17) {
            n = in_.bits.takeBits(3) + 3;
        } else {
            n = in_.bits.takeBits(7) + 11;
        }
        for (; n > 0 && i < setSize; n--) lengths[i++] = value;
    }
}

void Decompressor::buildCodes(const uint8_t* lengths) {
    if (multimediaMode_) {
        for (uint32_t c = 0; c < channelCount_; c++) {
            channelCode_[c].buildDecoder(lengths + c * kChannelSymbols, kChannelSymbols);
        }
        return;
    }
    literalCode_.buildDecoder(lengths, kLiteralSymbols);
    distanceCode_.buildDecoder(lengths + kLiteralSymbols, kDistanceSymbols);
    repeatCode_.buildDecoder(lengths + kLiteralSymbols + kDistanceSymbols, kRepeatSymbols);
}

// A table set may follow the last symbol of an entry, for the next entry of
// a solid archive.
void Decompressor::finishEntry() {
    if (in_.inputEnd < in_.bits.bytePos + 5) return;
    if (multimediaMode_) {
        if (channelCode_[currentChannel_].decodeSymbol(in_.bits) == kChannelTableSwitch) {
            readCodeLengths();
        }
    } else if (literalCode_.decodeSymbol(in_.bits) == kTableSwitch) {
        readCodeLengths();
    }
}

void Decompressor::flush() {
    uint32_t count = (outPos_ - flushedPos_) & kWindowMask;
    if (output_ && count > 0) {
        uint32_t first = std::min(count, kWindowSize - flushedPos_);
        bool fits = static_cast<uint64_t>(output_->size()) + count <= output_->fullSize();
        if (!fits) {
            log_.write("Fatal! Buffer overrun during decompression!");
            bytesLeft_ = -1;
        } else if (!output_->append(window_ + flushedPos_, first) ||
                   !output_->append(window_, count - first)) {
            log_.write("can't allocate memory for the file decompression");
            bytesLeft_ = -1;
        }
    }
    flushedPos_ = outPos_;
}

#include "archive/decompressor.h"

#include <algorithm>
#include <cstring>
#include <iterator>

using namespace archive;

namespace {
constexpr size_t kMainLoopRefill = 8162;
constexpr size_t kTableRefill = 8167;
constexpr size_t kLengthSymbolRefill = 8187;
// One symbol produces at most 260 bytes; flush before the window could
// overtake bytes not yet handed on.
constexpr uint32_t kFlushMargin = 270;
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

void Decompressor::startEntry(const BlockHeader& header) {
    if (header.isSolidContinuation()) return;
    currentChannel_ = 0;
    predictor_.reset();
    std::fill(std::begin(recentDistances_), std::end(recentDistances_), 0u);
    std::fill(std::begin(previousLengths_), std::end(previousLengths_), uint8_t{0});
    recentCount_ = lastMatchDistance_ = lastMatchLength_ = 0;
    outPos_ = flushedPos_ = 0;
    std::memset(window_, 0, kWindowSize);
}

// One step of the main loop; false when the input has clearly run out.
bool Decompressor::decodeOne() {
    outPos_ &= kWindowMask;
    in_.refillIfBeyond(kMainLoopRefill, *area_);
    if (in_.exhausted(*area_)) return false;
    if (((flushedPos_ - outPos_) & kWindowMask) < kFlushMargin && flushedPos_ != outPos_) {
        flush();
    }
    if (multimediaMode_) {
        decodeMultimedia();
    } else {
        decodeLz();
    }
    return true;
}

void Decompressor::decodeMultimedia() {
    uint32_t s = channelCode_[currentChannel_].decodeSymbol(in_);
    if (s == kChannelTableSwitch) {
        readCodeLengths();
        return;
    }
    window_[outPos_] = predictor_.predictSample(currentChannel_, s);
    outPos_ = (outPos_ + 1) & kWindowMask;
    currentChannel_ = (currentChannel_ + 1) % channelCount_;
    bytesLeft_--;
}

void Decompressor::decodeLz() {
    uint32_t s = literalCode_.decodeSymbol(in_);
    if (s < 256) {
        window_[outPos_] = static_cast<uint8_t>(s);
        outPos_ = (outPos_ + 1) & kWindowMask;
        bytesLeft_--;
    } else if (s >= kFirstNewMatch) {
        decodeNewMatch(s);
    } else if (s == kTableSwitch) {
        readCodeLengths();
    } else if (s == kRepeatLastMatch) {
        recentDistances_[recentCount_++ & 3] = lastMatchDistance_;
        copyMatch(lastMatchLength_, lastMatchDistance_);
    } else if (s < kFirstShortMatch) {
        decodeRecentDistance(s);
    } else {
        decodeShortMatch(s);
    }
}

void Decompressor::decodeNewMatch(uint32_t symbol) {
    uint32_t i = symbol - kFirstNewMatch;
    uint32_t length = kLengthBase[i] + 3;
    if (kLengthExtra[i] > 0) length += in_.takeBits(kLengthExtra[i]);
    uint32_t j = distanceCode_.decodeSymbol(in_);
    uint32_t distance = kDistanceBase[j] + 1;
    if (kDistanceExtra[j] > 0) distance += in_.takeBits(kDistanceExtra[j]);
    if (distance >= 0x2000) length++;
    if (distance >= 0x40000) length++;
    recentDistances_[recentCount_++ & 3] = distance;
    lastMatchDistance_ = distance;
    lastMatchLength_ = length;
    copyMatch(length, distance);
}

void Decompressor::decodeRecentDistance(uint32_t symbol) {
    uint32_t distance = recentDistances_[(recentCount_ - (symbol - 256)) & 3];
    uint32_t j = repeatCode_.decodeSymbol(in_);
    uint32_t length = kLengthBase[j] + 2;
    if (kLengthExtra[j] > 0) length += in_.takeBits(kLengthExtra[j]);
    if (distance >= 0x101) length++;
    if (distance >= 0x2000) length++;
    if (distance >= 0x40000) length++;
    recentDistances_[recentCount_++ & 3] = distance;
    lastMatchDistance_ = distance;
    lastMatchLength_ = length;
    copyMatch(length, distance);
}

void Decompressor::decodeShortMatch(uint32_t symbol) {
    uint32_t i = symbol - kFirstShortMatch;
    uint32_t distance = kShortDistanceBase[i] + 1 + in_.takeBits(kShortDistanceExtra[i]);
    recentDistances_[recentCount_++ & 3] = distance;
    lastMatchDistance_ = distance;
    lastMatchLength_ = 2;
    copyMatch(2, distance);
}

// As if byte by byte, so a match longer than its distance repeats the
// pattern; eight bytes at a time where source and target cannot overlap
// within a step and neither wraps.
void Decompressor::copyMatch(uint32_t length, uint32_t distance) {
    bytesLeft_ -= length;
    uint32_t from = (outPos_ - distance) & kWindowMask;
    if (outPos_ + length <= kWindowSize && from + length <= kWindowSize) {
        uint8_t* to = window_ + outPos_;
        const uint8_t* source = window_ + from;
        uint32_t i = 0;
        if (distance >= 8 && from < outPos_) {
            for (; i + 8 <= length; i += 8) std::memcpy(to + i, source + i, 8);
        }
        for (; i < length; i++) to[i] = source[i];
        outPos_ = (outPos_ + length) & kWindowMask;
        return;
    }
    for (uint32_t i = 0; i < length; i++) {
        window_[outPos_] = window_[(outPos_ - distance) & kWindowMask];
        outPos_ = (outPos_ + 1) & kWindowMask;
    }
}

void Decompressor::readCodeLengths() {
    in_.refillIfBeyond(kTableRefill, *area_);
    uint32_t b = in_.peek16();
    multimediaMode_ = b & 0x8000;
    if (!(b & 0x4000)) std::fill(std::begin(previousLengths_), std::end(previousLengths_), 0);
    in_.skipBits(2);
    uint32_t setSize = kLzTableSize;
    if (multimediaMode_) {
        channelCount_ = ((b >> 12) & 3) + 1;
        if (currentChannel_ >= channelCount_) currentChannel_ = 0;
        in_.skipBits(2);
        setSize = kChannelSymbols * channelCount_;
    }
    uint8_t lengthsLengths[kLengthsSymbols];
    for (uint8_t& length : lengthsLengths) length = static_cast<uint8_t>(in_.takeBits(4));
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
        uint32_t s = lengthsCode_.decodeSymbol(in_);
        if (s < 16) {
            lengths[i] = static_cast<uint8_t>((s + previousLengths_[i]) & 15);
            i++;
            continue;
        }
        uint32_t n = 0;
        uint8_t value = 0;
        if (s == 16) {
            n = in_.takeBits(2) + 3;
            value = i > 0 ? lengths[i - 1] : 0;
        } else if (s == 17) {
            n = in_.takeBits(3) + 3;
        } else {
            n = in_.takeBits(7) + 11;
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
    if (in_.inputEnd < in_.bytePos + 5) return;
    if (multimediaMode_) {
        if (channelCode_[currentChannel_].decodeSymbol(in_) == kChannelTableSwitch) {
            readCodeLengths();
        }
    } else if (literalCode_.decodeSymbol(in_) == kTableSwitch) {
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

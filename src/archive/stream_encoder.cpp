#include "archive/stream_encoder.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "archive/huffman_builder.h"
#include "archive/lz_parser.h"
#include "archive/table_writer.h"

using namespace archive;

namespace {

uint32_t switchSymbol(bool multimedia) {
    return multimedia ? kChannelTableSwitch : kTableSwitch;
}

}  // namespace

void StreamEncoder::beginEntry(bool continuation) {
    out_ = BitWriter();
    if (continuation) return;
    tablesInForce_ = false;
    std::fill(std::begin(previousLengths_), std::end(previousLengths_), uint8_t{0});
    history_ = MatchHistory{};
    predictor_.reset();
    decoderChannel_ = 0;
}

void StreamEncoder::encodeLz(const uint8_t* data, size_t begin, size_t end, size_t historyStart,
                             MatchFinder& finder) {
    LzParser parser(data, finder, history_, prices_);
    parser.parse(begin, end, historyStart, settings_.lzBlockSymbols,
                 [this](SymbolBlock& block) { emitBlock(block, false, 1); });
}

// Samples go to channels in turn; a table set with fewer channels than the
// current channel number starts again at channel 0.
void StreamEncoder::encodeMultimedia(const uint8_t* data, size_t begin, size_t end,
                                     uint32_t channels) {
    SymbolBlock block;
    for (size_t from = begin; from < end; from += settings_.multimediaBlockSamples) {
        size_t to = std::min(end, from + settings_.multimediaBlockSamples);
        uint32_t channel = decoderChannel_ >= channels ? 0 : decoderChannel_;
        block.clear();
        for (size_t i = from; i < to; i++) {
            uint32_t s = predictor_.encodeSample(channel, data[i]);
            block.push_back({static_cast<uint16_t>(s), static_cast<uint8_t>(channel), 0, 0});
            channel = (channel + 1) % channels;
        }
        emitBlock(block, true, channels);
    }
}

std::vector<uint8_t> StreamEncoder::finishEntry(bool harmlessTail) {
    if (harmlessTail && tablesInForce_) {
        uint32_t alphabet = tables_.multimedia ? decoderChannel_ : 0;
        uint32_t offset = alphabetOffset(tables_.multimedia, alphabet);
        uint32_t size = alphabetSize(tables_.multimedia, alphabet);
        for (uint32_t s = 0; s < size; s++) {
            if (s != switchSymbol(tables_.multimedia) && tables_.lengths[offset + s] > 0) {
                writeSymbol(alphabet, s);
                break;
            }
        }
    }
    return out_.finish();
}

// Every code keeps its table-switch symbol and at least one other, so the
// next block can always change tables and a dropped symbol always exists.
TableSet StreamEncoder::tablesFor(const SymbolBlock& block, bool multimedia,
                                  uint32_t channels) const {
    TableSet fresh;
    fresh.multimedia = multimedia;
    fresh.channels = channels;
    uint32_t alphabets = alphabetCount(multimedia, channels);
    std::vector<std::vector<uint32_t>> frequencies(alphabets);
    for (uint32_t a = 0; a < alphabets; a++) frequencies[a].assign(alphabetSize(multimedia, a), 0);
    for (const CodedSymbol& s : block) frequencies[s.alphabet][s.symbol]++;
    for (uint32_t a = 0; a < alphabets; a++) {
        bool switching = multimedia || a == 0;
        if (switching) {
            frequencies[a][switchSymbol(multimedia)]++;
            if (std::count(frequencies[a].begin(), frequencies[a].end(), 0u) ==
                static_cast<long>(frequencies[a].size()) - 1) {
                frequencies[a][0]++;
            }
        }
        std::vector<uint8_t> lengths = buildCodeLengths(frequencies[a]);
        std::copy(lengths.begin(), lengths.end(), fresh.lengths + alphabetOffset(multimedia, a));
    }
    return fresh;
}

bool StreamEncoder::canReuse(const SymbolBlock& block, const TableSet& fresh) const {
    if (!tablesInForce_ || !tables_.sameLayout(fresh)) return false;
    for (const CodedSymbol& s : block) {
        if (tables_.lengths[alphabetOffset(fresh.multimedia, s.alphabet) + s.symbol] == 0) {
            return false;
        }
    }
    return true;
}

uint64_t StreamEncoder::blockBits(const SymbolBlock& block, const TableSet& tables) const {
    uint64_t bits = 0;
    for (const CodedSymbol& s : block) {
        bits +=
            tables.lengths[alphabetOffset(tables.multimedia, s.alphabet) + s.symbol] + s.extraBits;
    }
    return bits;
}

uint32_t StreamEncoder::switchBits() const {
    if (!tablesInForce_) return 0;
    uint32_t alphabet = tables_.multimedia ? decoderChannel_ : 0;
    return tables_
        .lengths[alphabetOffset(tables_.multimedia, alphabet) + switchSymbol(tables_.multimedia)];
}

void StreamEncoder::emitBlock(const SymbolBlock& block, bool multimedia, uint32_t channels) {
    TableSet fresh = tablesFor(block, multimedia, channels);
    bool allowDelta = tablesInForce_ && tables_.sameLayout(fresh);
    if (canReuse(block, fresh)) {
        BitWriter tableBits;
        writeTableSet(fresh, previousLengths_, allowDelta, tableBits);
        uint64_t freshBits = blockBits(block, fresh) + tableBits.bitCount() + switchBits();
        if (blockBits(block, tables_) <= freshBits) {
            writeSymbols(block);
            return;
        }
    }
    if (tablesInForce_) writeSwitch();
    writeTableSet(fresh, previousLengths_, allowDelta, out_);
    adoptTables(fresh);
    writeSymbols(block);
}

void StreamEncoder::writeSwitch() {
    uint32_t alphabet = tables_.multimedia ? decoderChannel_ : 0;
    writeSymbol(alphabet, switchSymbol(tables_.multimedia));
}

// What the decoder does on reading a table set.
void StreamEncoder::adoptTables(const TableSet& fresh) {
    tables_ = fresh;
    tablesInForce_ = true;
    std::memcpy(previousLengths_, fresh.lengths, kMaxTableSize);
    if (fresh.multimedia && decoderChannel_ >= fresh.channels) decoderChannel_ = 0;
    for (uint32_t a = 0; a < alphabetCount(fresh.multimedia, fresh.channels); a++) {
        uint32_t offset = alphabetOffset(fresh.multimedia, a);
        std::vector<uint8_t> lengths(fresh.lengths + offset,
                                     fresh.lengths + offset + alphabetSize(fresh.multimedia, a));
        std::vector<uint16_t> codes = canonicalCodes(lengths);
        std::copy(codes.begin(), codes.end(), codes_.begin() + offset);
    }
    prices_.learnFrom(fresh);
}

void StreamEncoder::writeSymbol(uint32_t alphabet, uint32_t symbol) {
    uint32_t index = alphabetOffset(tables_.multimedia, alphabet) + symbol;
    out_.write(codes_[index], tables_.lengths[index]);
}

void StreamEncoder::writeSymbols(const SymbolBlock& block) {
    for (const CodedSymbol& s : block) {
        writeSymbol(s.alphabet, s.symbol);
        if (s.extraBits > 0) out_.write(s.extra, s.extraBits);
    }
    if (tables_.multimedia && !block.empty()) {
        decoderChannel_ = (block.back().alphabet + 1) % tables_.channels;
    }
}

#include "raw_archive.h"

#include <cstring>

#include "archive/block_header.h"
#include "archive/crc32.h"
#include "archive/huffman_builder.h"
#include "archive/table_writer.h"

RawEntry rawEntry(const std::string& name, const std::vector<uint8_t>& content) {
    RawEntry e;
    e.name = name;
    e.area = content;
    e.fullSize = static_cast<uint32_t>(content.size());
    e.contentCrc = crc32Of(content.data(), content.size());
    e.packMethod = 0x30;
    return e;
}

std::vector<uint8_t> rawArchive(const std::vector<RawEntry>& entries, bool solid,
                                const std::string& marker) {
    std::vector<uint8_t> out(marker.begin(), marker.end());
    out.resize(7, 0);
    uint8_t main[13] = {0, 0, 0x73, static_cast<uint8_t>(solid ? 0x08 : 0), 0, 13, 0};
    out.insert(out.end(), main, main + 13);
    for (const RawEntry& e : entries) {
        BlockHeader h;
        h.type = e.type;
        h.flags = static_cast<uint16_t>(0x8000 | e.flags);
        h.headerSize = static_cast<uint16_t>(32 + e.name.size() + e.extraHeader.size());
        h.dataSize = static_cast<uint32_t>(e.area.size());
        h.fullSize = e.fullSize;
        h.contentCrc = e.contentCrc;
        h.requiredVersion = e.requiredVersion;
        h.packMethod = e.packMethod;
        h.nameSize = static_cast<uint16_t>(e.name.size());
        uint8_t record[32];
        writeBlockRecord(h, record);
        std::vector<uint8_t> name(e.name.begin(), e.name.end());
        h.headerCrc = fileHeaderCrc(record, name) ^ (e.breakHeaderCrc ? 0x5555 : 0);
        writeBlockRecord(h, record);
        out.insert(out.end(), record, record + 32);
        out.insert(out.end(), name.begin(), name.end());
        out.insert(out.end(), e.extraHeader.begin(), e.extraHeader.end());
        out.insert(out.end(), e.area.begin(), e.area.end());
    }
    return out;
}

void StreamBuilder::tables(const TableSet& set) {
    writeTableSet(set, previous_, false, out_);
    current_ = set;
    std::memcpy(previous_, set.lengths, sizeof(previous_));
}

void StreamBuilder::switchTables(const TableSet& set, uint32_t channel) {
    symbol(current_.multimedia ? channel : 0, current_.multimedia ? 256 : 269);
    tables(set);
}

void StreamBuilder::symbol(uint32_t alphabet, uint32_t symbol) {
    uint32_t offset = alphabetOffset(current_.multimedia, alphabet);
    std::vector<uint8_t> lengths(
        current_.lengths + offset,
        current_.lengths + offset + alphabetSize(current_.multimedia, alphabet));
    out_.write(canonicalCodes(lengths)[symbol], lengths[symbol]);
}

namespace {

void giveLengths(TableSet& set, uint32_t offset, uint32_t size, const std::vector<uint32_t>& used) {
    std::vector<uint32_t> frequencies(size, 0);
    for (uint32_t s : used) frequencies[s] = 1;
    std::vector<uint8_t> lengths = buildCodeLengths(frequencies);
    std::memcpy(set.lengths + offset, lengths.data(), size);
}

}  // namespace

TableSet lzTables(const std::vector<uint32_t>& literalSymbols,
                  const std::vector<uint32_t>& distanceSymbols,
                  const std::vector<uint32_t>& repeatSymbols) {
    TableSet set;
    giveLengths(set, 0, 298, literalSymbols);
    giveLengths(set, 298, 48, distanceSymbols);
    giveLengths(set, 346, 28, repeatSymbols);
    return set;
}

TableSet multimediaTables(const std::vector<std::vector<uint32_t>>& symbolsPerChannel) {
    TableSet set;
    set.multimedia = true;
    set.channels = static_cast<uint32_t>(symbolsPerChannel.size());
    for (uint32_t c = 0; c < set.channels; c++) {
        giveLengths(set, c * 257, 257, symbolsPerChannel[c]);
    }
    return set;
}

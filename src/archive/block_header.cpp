#include "archive/block_header.h"

#include <algorithm>
#include <cstring>

#include "archive/byte_reader.h"
#include "archive/crc32.h"

BlockHeader parseBlockRecord(std::span<const uint8_t> record) {
    ByteReader in(record);
    BlockHeader h;
    h.headerCrc = in.u16();
    h.type = in.u8();
    h.flags = in.u16();
    h.headerSize = in.u16();
    h.dataSize = in.u32();
    h.fullSize = in.u32();
    h.hostSystem = in.u8();
    h.contentCrc = in.u32();
    h.fileTime = in.u32();
    h.requiredVersion = in.u8();
    h.packMethod = in.u8();
    h.nameSize = in.u16();
    h.attributes = in.u32();
    return h;
}

namespace {

void put16(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

void put32(uint8_t* p, uint32_t v) {
    put16(p, v);
    put16(p + 2, v >> 16);
}

}  // namespace

void writeBlockRecord(const BlockHeader& h, uint8_t* record) {
    put16(record, h.headerCrc);
    record[2] = h.type;
    put16(record + 3, h.flags);
    put16(record + 5, h.headerSize);
    put32(record + 7, h.dataSize);
    put32(record + 11, h.fullSize);
    record[15] = h.hostSystem;
    put32(record + 16, h.contentCrc);
    put32(record + 20, h.fileTime);
    record[24] = h.requiredVersion;
    record[25] = h.packMethod;
    put16(record + 26, h.nameSize);
    put32(record + 28, h.attributes);
}

uint16_t fileHeaderCrc(std::span<const uint8_t> record, std::span<const uint8_t> name) {
    static const CrcTable table;
    uint32_t crc = 0xFFFFFFFFu;
    if (record.size() > 2) crc = table.crc32(crc, record.data() + 2, record.size() - 2);
    crc = table.crc32(crc, name.data(), name.size());
    return static_cast<uint16_t>(~crc);
}

MarkerKind classifyMarker(std::span<const uint8_t> marker) {
    using namespace archive;
    if (marker.size() >= kMarkerSize) {
        if (std::equal(marker.begin(), marker.begin() + kMarkerSize, kRarMarker)) {
            return MarkerKind::Rar;
        }
        if (std::equal(marker.begin(), marker.begin() + kMarkerSize, kTessalMarker)) {
            return MarkerKind::Tessal;
        }
    }
    if (marker.size() >= 4 && std::memcmp(marker.data(), "RE~^", 4) == 0) {
        return MarkerKind::OldFormat;
    }
    return MarkerKind::Unknown;
}

MainHeader parseMainHeader(std::span<const uint8_t> bytes) {
    ByteReader in(bytes);
    MainHeader h;
    in.skip(3);  // header CRC and type are not used
    h.flags = in.u16();
    h.headerSize = in.u16();
    return h;
}

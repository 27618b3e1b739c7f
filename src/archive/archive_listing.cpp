#include "archive/archive_listing.h"

#include <algorithm>

#include "archive/block_header.h"
#include "archive/byte_reader.h"

using namespace archive;

namespace {

ListedEntry describe(const BlockHeader& h, std::span<const uint8_t> record,
                     const std::vector<uint8_t>& name) {
    ListedEntry e;
    e.name.assign(name.begin(), std::find(name.begin(), name.end(), '\0'));
    e.fullSize = h.fullSize;
    e.dataSize = h.dataSize;
    e.packMethod = h.packMethod;
    e.requiredVersion = h.requiredVersion;
    e.encrypted = h.isEncrypted();
    e.solidContinuation = h.isSolidContinuation();
    e.headerCrcMatches = fileHeaderCrc(record, name) == h.headerCrc;
    e.contentCrc = h.contentCrc;
    return e;
}

// The same walk as extraction: blocks back to back, ending where a block
// is too short or would not move forward.
void listBlocks(ByteReader& in, ArchiveListing& listing) {
    uint8_t record[kBlockRecordSize];
    for (;;) {
        size_t start = in.position();
        if (in.read(record, kBlockRecordSize) < kBlockRecordSize) return;
        BlockHeader h = parseBlockRecord(record);
        if (h.headerSize < 7) return;
        uint32_t next =
            static_cast<uint32_t>(start) + h.headerSize + (h.hasDataArea() ? h.dataSize : 0);
        if (static_cast<int32_t>(next) <= static_cast<int32_t>(start)) return;
        if (h.type == kFileHeaderType) {
            std::vector<uint8_t> name(std::min<size_t>(h.nameSize, kMaxNameLength));
            name.resize(in.read(name.data(), name.size()));
            listing.entries.push_back(describe(h, record, name));
        }
        in.seek(next);
    }
}

}  // namespace

ArchiveListing listArchive(std::span<const uint8_t> archive) {
    ArchiveListing listing;
    ByteReader in(archive);
    uint8_t marker[kMarkerSize];
    uint8_t main[kMainHeaderSize];
    MarkerKind kind =
        in.read(marker, kMarkerSize) == kMarkerSize ? classifyMarker(marker) : MarkerKind::Unknown;
    if (kind != MarkerKind::Rar && kind != MarkerKind::Tessal) {
        listing.error = kind == MarkerKind::OldFormat ? "archive of the old (pre-2.0) format"
                                                      : "not a RAR archive";
        return listing;
    }
    if (in.read(main, kMainHeaderSize) < kMainHeaderSize) {
        listing.error = "archive ends inside its main header";
        return listing;
    }
    MainHeader header = parseMainHeader(main);
    listing.solid = header.isSolid();
    in.seek(in.position() + static_cast<int>(header.headerSize) -
            static_cast<int>(kMainHeaderSize));
    listBlocks(in, listing);
    listing.ok = true;
    return listing;
}

#include "archive/archive_writer.h"

#include <numeric>
#include <optional>

#include "archive/archive_format.h"
#include "archive/block_header.h"
#include "archive/cipher.h"
#include "archive/crc32.h"
#include "archive/entry_compressor.h"

using namespace archive;

namespace {

constexpr uint32_t kUnixRegularFile = 0100644;

class ArchiveWriter {
  public:
    ArchiveWriter(const PackOptions& options, size_t totalSize)
        : options_(options), compressor_(options.solid, totalSize, options.encoder) {}

    void writeMainHeader();
    void writeEntry(const PackEntry& entry);
    std::vector<uint8_t> take() { return std::move(archive_); }

  private:
    void encrypt(std::vector<uint8_t>& area);

    const PackOptions& options_;
    EntryCompressor compressor_;
    std::vector<uint8_t> archive_;
};

void ArchiveWriter::writeMainHeader() {
    archive_.assign(std::begin(kRarMarker), std::end(kRarMarker));
    uint8_t header[kMainHeaderSize] = {0, 0, kMainHeaderType};
    uint16_t flags = options_.solid ? kSolidArchive : 0;
    header[3] = static_cast<uint8_t>(flags);
    header[4] = static_cast<uint8_t>(flags >> 8);
    header[5] = static_cast<uint8_t>(kMainHeaderSize);
    uint16_t crc = static_cast<uint16_t>(crc32Of(header + 2, kMainHeaderSize - 2));
    header[0] = static_cast<uint8_t>(crc);
    header[1] = static_cast<uint8_t>(crc >> 8);
    archive_.insert(archive_.end(), header, header + kMainHeaderSize);
}

// Whole cipher blocks: the area is padded with zeros to a multiple of 16.
void ArchiveWriter::encrypt(std::vector<uint8_t>& area) {
    area.resize((area.size() + Cipher::kBlockSize - 1) / Cipher::kBlockSize * Cipher::kBlockSize);
    CrcTable table;
    Cipher cipher(table);
    cipher.prepareCipher(options_.password.c_str());
    cipher.encipher(area.data(), area.size());
}

void ArchiveWriter::writeEntry(const PackEntry& entry) {
    bool encrypted = !options_.password.empty();
    std::optional<CompressedEntry> packed;
    if (!options_.store && !entry.data.empty())
        packed = compressor_.compress(entry.data, encrypted);
    std::vector<uint8_t> area = packed ? std::move(packed->data) : entry.data;
    if (encrypted) encrypt(area);

    BlockHeader h;
    h.type = kFileHeaderType;
    h.flags = kHasDataArea | kDictionary1M | (encrypted ? kEncrypted : 0) |
              (packed && packed->continuation ? kSolidContinuation : 0);
    h.headerSize = static_cast<uint16_t>(kBlockRecordSize + entry.name.size());
    h.dataSize = static_cast<uint32_t>(area.size());
    h.fullSize = static_cast<uint32_t>(entry.data.size());
    h.hostSystem = kHostUnix;
    h.contentCrc = crc32Of(entry.data.data(), entry.data.size());
    h.fileTime = entry.fileTime;
    h.requiredVersion = kMaxVersion;
    h.packMethod = packed ? kBestMethod : kStoredMethod;
    h.nameSize = static_cast<uint16_t>(entry.name.size());
    h.attributes = kUnixRegularFile;
    uint8_t record[kBlockRecordSize];
    writeBlockRecord(h, record);
    std::span<const uint8_t> name(reinterpret_cast<const uint8_t*>(entry.name.data()),
                                  entry.name.size());
    h.headerCrc = fileHeaderCrc(record, name);
    writeBlockRecord(h, record);
    archive_.insert(archive_.end(), record, record + kBlockRecordSize);
    archive_.insert(archive_.end(), name.begin(), name.end());
    archive_.insert(archive_.end(), area.begin(), area.end());
}

std::optional<std::string> checkEntry(const PackEntry& entry) {
    if (entry.name.empty()) return "an entry has an empty name";
    if (entry.name.size() > kMaxNameLength) {
        return "name longer than 259 bytes: " + entry.name.substr(0, 40) + "...";
    }
    if (entry.name.find('\0') != std::string::npos) return "name contains a NUL byte";
    if (entry.data.size() > 0xFFFFFFF0u) return entry.name + ": larger than 4 GiB";
    return std::nullopt;
}

}  // namespace

PackResult writeArchive(const std::vector<PackEntry>& entries, const PackOptions& options) {
    PackResult result;
    if (options.password.size() > Cipher::kMaxPassword) {
        result.error = "password longer than 255 characters";
        return result;
    }
    size_t total = 0;
    for (const PackEntry& entry : entries) {
        if (auto problem = checkEntry(entry)) {
            result.error = *problem;
            return result;
        }
        total += entry.data.size();
    }
    ArchiveWriter writer(options, total);
    writer.writeMainHeader();
    for (size_t i = 0; i < entries.size(); i++) {
        if (options.progress) options.progress(i, entries.size(), entries[i]);
        writer.writeEntry(entries[i]);
    }
    result.archive = writer.take();
    result.ok = true;
    return result;
}

#include "archive/archive_extraction.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "archive/name_match.h"
#include "archive/text_format.h"

using namespace archive;

namespace {
constexpr size_t kStoredChunk = 1 << 16;  // a multiple of the cipher block
}

ArchiveExtraction::ArchiveExtraction(DebugLog& log) : log_(log), cipher_(crcTable_) {}

ArchiveExtraction::~ArchiveExtraction() {
    finish();
}

void ArchiveExtraction::begin(const char* entryName, const char* archivePath,
                              const char* password) {
    crcTable_.buildCrcTable();
    entryName_ = std::string(entryName ? entryName : "").substr(0, kMaxNameLength);
    archivePath_ = std::string(archivePath ? archivePath : "").substr(0, kMaxNameLength);
    password_.assign(password);
    output_.reset();
    log_.write(formatText("Extracting >%s< from >%s< (password is >%s<)...", entryName_.c_str(),
                          archivePath_.c_str(), password_.c_str()));
}

bool ArchiveExtraction::scan(std::span<const uint8_t> archive) {
    ByteReader in(archive);
    MainHeader main;
    if (!readMarkerAndMainHeader(in, main)) return false;
    // Not zeroed here: the decompressor zeroes it before the first entry it
    // decodes, whatever that entry claims.
    window_ = static_cast<uint8_t*>(std::malloc(kWindowSize));
    if (!window_) {
        log_.write("Can't allocate memory for decompression!");
        return false;
    }
    decompressor_ = std::make_unique<Decompressor>(window_, log_);
    in.seek(in.position() + static_cast<int>(main.headerSize) - static_cast<int>(kMainHeaderSize));
    return extractEntries(in, main.isSolid());
}

bool ArchiveExtraction::readMarkerAndMainHeader(ByteReader& in, MainHeader& main) {
    uint8_t marker[kMarkerSize];
    uint8_t mainHeader[kMainHeaderSize];
    bool complete = in.read(marker, kMarkerSize) == kMarkerSize;
    MarkerKind kind = complete ? classifyMarker(marker) : MarkerKind::Unknown;
    if (complete && kind == MarkerKind::OldFormat) {
        log_.write("Attention: format as OLD detected! Can't handel archive!");
    } else if (complete && kind == MarkerKind::Unknown) {
        log_.write(
            "unknown archive type (only plain RAR supported (normal and solid archives), SFX "
            "and Volumes are NOT supported!)");
    }
    bool accepted = kind == MarkerKind::Rar || kind == MarkerKind::Tessal;
    if (!accepted || in.read(mainHeader, kMainHeaderSize) < kMainHeaderSize) {
        log_.write("Not a RAR file");
        return false;
    }
    main = parseMainHeader(mainHeader);
    return true;
}

bool ArchiveExtraction::extractEntries(ByteReader& in, bool solid) {
    for (Found next = findNextFileHeader(in); next != Found::None; next = findNextFileHeader(in)) {
        if (next == Found::SubBlock) {
            log_.write("Sorry, sub-headers not supported.");
            return false;
        }
        bool found = namesMatch(header_.name, entryName_);
        if (found) {
            size_t dataStart = blockStart_ + header_.headerSize;
            size_t present = dataStart < in.size() ? in.size() - dataStart : 0;
            output_ = std::make_unique<OutputBuffer>(
                header_.fullSize, std::min<size_t>(header_.dataSize, present), header_.isStored());
            if (!output_->allocate()) {
                log_.write("can't allocate memory for the file decompression");
                return false;
            }
        }
        if ((solid || found) && !decodeEntry(in, found)) return false;
        in.seek(nextBlock_);
        if (found) return true;
    }
    return false;
}

// The block scan: skips blocks until a file header or a sub-block. Block
// positions are compared as signed 32-bit values, so the scan always moves
// forward and ends.
ArchiveExtraction::Found ArchiveExtraction::findNextFileHeader(ByteReader& in) {
    BlockHeader remembered = header_;
    uint8_t record[kBlockRecordSize];
    BlockHeader block;
    for (;;) {
        blockStart_ = in.position();
        if (in.read(record, kBlockRecordSize) < kBlockRecordSize) return Found::None;
        block = parseBlockRecord(record);
        if (block.headerSize < 7) return Found::None;
        uint32_t next = static_cast<uint32_t>(blockStart_) + block.headerSize +
                        (block.hasDataArea() ? block.dataSize : 0);
        if (static_cast<int32_t>(next) <= static_cast<int32_t>(blockStart_)) return Found::None;
        nextBlock_ = next;
        if (block.type == kFileHeaderType || block.type == kSubBlockType) break;
        in.seek(nextBlock_);
    }
    if (block.type == kSubBlockType) {
        header_ = remembered;
        in.seek(blockStart_);
        return Found::SubBlock;
    }
    header_ = block;
    readName(in, record);
    return Found::FileHeader;
}

void ArchiveExtraction::readName(ByteReader& in, std::span<const uint8_t> record) {
    header_.nameBytes.resize(std::min<size_t>(header_.nameSize, kMaxNameLength));
    header_.nameBytes.resize(in.read(header_.nameBytes.data(), header_.nameBytes.size()));
    const char* text = reinterpret_cast<const char*>(header_.nameBytes.data());
    header_.name.assign(text, std::find(text, text + header_.nameBytes.size(), '\0'));
    if (fileHeaderCrc(record, header_.nameBytes) != header_.headerCrc) {
        log_.write("file header broken");
    }
}

bool ArchiveExtraction::decodeEntry(ByteReader& in, bool found) {
    if (header_.requiredVersion < kMinVersion || header_.requiredVersion > kMaxVersion) {
        log_.write("unknown compression method");
        return false;
    }
    bool encrypted = !password_.empty() && header_.isEncrypted();
    if (encrypted) cipher_.prepareCipher(password_.c_str());
    // The data area follows the whole header, whatever optional fields the
    // header holds beyond the name.
    in.seek(blockStart_ + header_.headerSize);
    DataArea area(in, log_);
    area.begin(header_.dataSize, encrypted ? &cipher_ : nullptr, header_.requiredVersion);
    if (header_.isStored()) {
        if (found && !readStored(area)) return false;
    } else {
        decompressor_->decompressEntry(header_, area, found ? output_.get() : nullptr);
    }
    return !found || checkContent();
}

// Stored data are read in chunks of whole cipher blocks, so an encrypted
// entry whose size is not a multiple of 16 still deciphers its last block
// from the real bytes; only fullSize bytes reach the output.
bool ArchiveExtraction::readStored(DataArea& area) {
    std::vector<uint8_t> chunk(kStoredChunk);
    while (output_->size() < output_->fullSize()) {
        size_t wanted = std::min<size_t>(kStoredChunk, output_->fullSize() - output_->size());
        size_t request =
            (wanted + Cipher::kBlockSize - 1) / Cipher::kBlockSize * Cipher::kBlockSize;
        size_t got = area.readInput(chunk.data(), request);
        if (!output_->append(chunk.data(), std::min(got, wanted))) {
            log_.write("can't allocate memory for the file decompression");
            return false;
        }
        if (got < request) break;
    }
    return true;
}

// An entry that came out short cannot be right; its missing bytes are never
// looked at.
bool ArchiveExtraction::checkContent() {
    bool complete = output_->size() == output_->fullSize();
    uint32_t crc = ~crcTable_.crc32(0xFFFFFFFFu, output_->data(), output_->size());
    if (complete && crc == header_.contentCrc) return true;
    log_.write("CRC32 error - file couldn't be decompressed correctly!");
    return false;
}

void ArchiveExtraction::finish() {
    password_.wipe();
    decompressor_.reset();
    std::free(window_);
    window_ = nullptr;
}

int ArchiveExtraction::report(bool succeeded, uint8_t** buffer, uint32_t* size) {
    uint8_t* block = nullptr;
    uint32_t produced = 0;
    if (succeeded) {
        produced = output_->size();
        block = output_->release();
        log_.write(formatText("Extracted %u Bytes.", produced));
    } else {
        output_.reset();
        log_.write(
            formatText("Error - couldn't extract >%s< and allocated %u Bytes of unused memory!",
                       entryName_.c_str(), produced));
    }
    if (buffer) *buffer = block;
    if (size) *size = produced;
    if (!buffer) std::free(block);
    return succeeded ? 1 : 0;
}

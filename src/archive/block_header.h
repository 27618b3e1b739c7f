// One block of the archive as read: the 32-byte file-header record (of which
// other block types use only the first 11 bytes) and, for file headers, the
// name that follows it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "archive/archive_format.h"

struct BlockHeader {
    uint16_t headerCrc = 0;
    uint8_t type = 0;
    uint16_t flags = 0;
    uint16_t headerSize = 0;
    uint32_t dataSize = 0;
    uint32_t fullSize = 0;
    uint8_t hostSystem = 0;
    uint32_t contentCrc = 0;
    uint32_t fileTime = 0;
    uint8_t requiredVersion = 0;
    uint8_t packMethod = 0;
    uint16_t nameSize = 0;
    uint32_t attributes = 0;
    std::vector<uint8_t> nameBytes;  // as read: at most 259 bytes
    std::string name;                // up to the first NUL of nameBytes

    bool hasDataArea() const { return flags & archive::kHasDataArea; }
    bool isEncrypted() const { return flags & archive::kEncrypted; }
    bool isSolidContinuation() const { return flags & archive::kSolidContinuation; }
    bool isStored() const { return packMethod == archive::kStoredMethod; }
};

// Takes the 32-byte record apart; missing bytes read as zero.
BlockHeader parseBlockRecord(std::span<const uint8_t> record);

// Writes the record of a file header (the header CRC as given).
void writeBlockRecord(const BlockHeader& header, uint8_t* record);

// Low 16 bits of the complemented CRC-32 over record bytes 2..31 and the name.
uint16_t fileHeaderCrc(std::span<const uint8_t> record, std::span<const uint8_t> name);

enum class MarkerKind { Rar, Tessal, OldFormat, Unknown };
MarkerKind classifyMarker(std::span<const uint8_t> marker);

struct MainHeader {
    uint16_t flags = 0;
    uint16_t headerSize = 0;
    bool isSolid() const { return flags & archive::kSolidArchive; }
};
MainHeader parseMainHeader(std::span<const uint8_t> bytes);

// What an archive holds, read from its headers alone (nothing is decoded):
// the basis of `tessal-pack list`.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

struct ListedEntry {
    std::string name;
    uint32_t fullSize = 0;
    uint32_t dataSize = 0;
    uint8_t packMethod = 0;
    uint8_t requiredVersion = 0;
    bool encrypted = false;
    bool solidContinuation = false;
    bool headerCrcMatches = true;
    uint32_t contentCrc = 0;
};

struct ArchiveListing {
    bool ok = false;
    std::string error;  // when not ok
    bool solid = false;
    std::vector<ListedEntry> entries;
};

ArchiveListing listArchive(std::span<const uint8_t> archive);

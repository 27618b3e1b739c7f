// Writes archives the reader (and any RAR 2.x reader) can extract: the
// marker, the main header, and per entry a file header followed by its
// data, stored or compressed, optionally encrypted, optionally solid.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "archive/stream_encoder.h"

struct PackEntry {
    std::string name;  // '/' separated, at most 259 bytes
    std::vector<uint8_t> data;
    uint32_t fileTime = 0;  // DOS date and time
};

struct PackOptions {
    std::string password;  // empty: not encrypted
    bool solid = false;
    bool store = false;
    EncoderSettings encoder;  // how hard to look for matches
    // Called before each entry is packed.
    std::function<void(size_t index, size_t count, const PackEntry& entry)> progress;
};

struct PackResult {
    bool ok = false;
    std::string error;
    std::vector<uint8_t> archive;
};

PackResult writeArchive(const std::vector<PackEntry>& entries, const PackOptions& options);

// Extraction of one named entry of a RAR 2.x archive into memory: the way
// packed mode gets its script, textures and scenes out of data.rar.
#pragma once

#include <cstdint>
#include <span>

class DebugLog;

class ArchiveReader {
  public:
    // 1 with *buffer a malloc block of *size bytes (the caller frees it), or
    // 0 with a null buffer and size 0. Diagnostics go only to the debug log
    // /tmp/tessal/debug_archive.txt, when that directory exists. Not
    // re-entrant: call from one thread.
    static int extractFile(uint8_t** buffer, uint32_t* size, const char* entryName,
                           const char* archivePath, const char* password);

    // The same over archive bytes already in memory, logging to the given log.
    static int extractFromBytes(uint8_t** buffer, uint32_t* size, const char* entryName,
                                std::span<const uint8_t> archive, const char* password,
                                DebugLog& log);
};

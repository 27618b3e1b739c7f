// Whole archives as outside bytes: every entry the headers name, and one
// name that is not there, is extracted with and without the password.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "archive/archive_listing.h"
#include "archive/archive_reader.h"
#include "archive/debug_log.h"

namespace {

void extractOnce(std::span<const uint8_t> archive, const char* name, const char* password) {
    static DebugLog silent("/nonexistent-directory/debug_archive.txt");
    uint8_t* buffer = nullptr;
    uint32_t size = 0;
    int ok = ArchiveReader::extractFromBytes(&buffer, &size, name, archive, password, silent);
    if (!ok && (buffer != nullptr || size != 0)) std::abort();
    if (ok && size > 0) {
        volatile uint8_t touch = buffer[0] ^ buffer[size - 1];  // the whole block is ours
        (void)touch;
    }
    std::free(buffer);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::span<const uint8_t> archive(data, size);
    ArchiveListing listing = listArchive(archive);
    size_t tried = 0;
    for (const ListedEntry& entry : listing.entries) {
        if (++tried > 4) break;
        extractOnce(archive, entry.name.c_str(), "quillo");
    }
    extractOnce(archive, "no such entry", nullptr);
    return 0;
}

#include "pack_commands.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "archive/archive_listing.h"
#include "archive/archive_reader.h"
#include "archive/archive_writer.h"
#include "archive/mapped_file.h"
#include "input_files.h"

namespace {

int fail(const std::string& message) {
    std::fprintf(stderr, "tessal-pack: %s\n", message.c_str());
    return 1;
}

void showProgress(size_t index, size_t count, const PackEntry& entry) {
    std::fprintf(stderr, "\r\033[K[%zu/%zu] %s (%zu bytes)", index + 1, count, entry.name.c_str(),
                 entry.data.size());
    if (index + 1 == count) std::fprintf(stderr, "\n");
    std::fflush(stderr);
}

// Written beside the target and renamed over it, so a failed run never
// leaves half an archive. Only a file is ever replaced: an archive path that
// names a folder (or anything else that is not a file) is refused.
bool writeWholeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::error_code status;
    if (std::filesystem::exists(path, status) && !std::filesystem::is_regular_file(path, status))
        return false;
    std::string temporary = path + ".part";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
        if (!file.good()) return false;
    }
    std::error_code code;
    std::filesystem::rename(temporary, path, code);
    if (code) std::filesystem::remove(temporary, status);
    return !code && std::filesystem::is_regular_file(path, status);
}

const char* methodName(uint8_t method) {
    static const char* names[] = {"store", "fastest", "fast", "normal", "good", "best"};
    return method >= 0x30 && method <= 0x35 ? names[method - 0x30] : "?";
}

}  // namespace

int runPack(const PackToolOptions& o) {
    std::vector<PackEntry> entries;
    std::string error;
    if (!collectInputs(o.paths, o.archive, entries, error)) return fail(error);
    PackOptions options;
    options.password = o.password;
    options.solid = o.solid;
    options.store = o.store;
    if (isatty(STDERR_FILENO)) options.progress = showProgress;
    PackResult result = writeArchive(entries, options);
    if (!result.ok) return fail(result.error);
    if (!writeWholeFile(o.archive, result.archive))
        return fail("cannot write " + o.archive +
                    (std::filesystem::is_directory(o.archive) ? ": it is a folder" : ""));
    size_t total = 0;
    for (const PackEntry& e : entries) total += e.data.size();
    std::printf("%s: %zu files, %zu bytes packed into %zu\n", o.archive.c_str(), entries.size(),
                total, result.archive.size());
    return 0;
}

int runList(const PackToolOptions& o) {
    MappedFile file;
    if (!file.open(o.archive)) return fail("cannot open " + o.archive);
    ArchiveListing listing = listArchive(file.bytes());
    if (!listing.ok) return fail(o.archive + ": " + listing.error);
    std::printf("%s%s\n", o.archive.c_str(), listing.solid ? " (solid)" : "");
    std::printf("%10s %10s %-7s %4s %4s %-8s  %s\n", "size", "packed", "method", "ver", "enc",
                "crc32", "name");
    for (const ListedEntry& e : listing.entries) {
        std::printf("%10u %10u %-7s %2u.%u %4s %08X  %s%s\n", e.fullSize, e.dataSize,
                    methodName(e.packMethod), e.requiredVersion / 10, e.requiredVersion % 10,
                    e.encrypted ? "yes" : "no", e.contentCrc, e.name.c_str(),
                    e.headerCrcMatches ? "" : "  (header CRC mismatch)");
    }
    return 0;
}

int runCat(const PackToolOptions& o) {
    if (!std::filesystem::is_regular_file(o.archive)) return fail("cannot open " + o.archive);
    uint8_t* buffer = nullptr;
    uint32_t size = 0;
    const char* password = o.password.empty() ? nullptr : o.password.c_str();
    if (!ArchiveReader::extractFile(&buffer, &size, o.member.c_str(), o.archive.c_str(),
                                    password)) {
        return fail("cannot extract " + o.member + " from " + o.archive +
                    " (no such entry, damaged data or wrong password)");
    }
    size_t written = std::fwrite(buffer, 1, size, stdout);
    std::free(buffer);
    if (written != size || std::fflush(stdout) != 0) return fail("cannot write standard output");
    return 0;
}

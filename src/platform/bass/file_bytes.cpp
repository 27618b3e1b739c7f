#include "platform/bass/file_bytes.h"

#include <sys/stat.h>

#include <cstdio>
#include <memory>

#include "platform/files/regular_file.h"

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Bytes from offset to the end, or -1. Only regular files have a size to
// trust (a directory opens, but its "size" is not data).
long remainingBytes(std::FILE* file, std::uint32_t offset) {
    struct stat status {};
    if (fstat(fileno(file), &status) != 0 || !S_ISREG(status.st_mode)) return -1;
    if (std::fseek(file, 0, SEEK_END) != 0) return -1;
    const long size = std::ftell(file);
    if (size < 0 || long(offset) > size) return -1;
    if (std::fseek(file, long(offset), SEEK_SET) != 0) return -1;
    return size - long(offset);
}

}  // namespace

std::optional<std::vector<std::uint8_t>> readFileBytes(const char* path, std::uint32_t offset,
                                                       std::uint32_t length) {
    if (!path) return std::nullopt;
    FilePtr file(openRegularFile(path));
    if (!file) return std::nullopt;
    long available = remainingBytes(file.get(), offset);
    if (available < 0) return std::nullopt;
    if (length != 0 && long(length) < available) available = long(length);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(available));
    if (std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) return std::nullopt;
    return bytes;
}

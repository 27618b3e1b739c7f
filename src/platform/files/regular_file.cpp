#include "platform/files/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace {

void setError(FileError* out, FileError error) {
    if (out) *out = error;
}

// A descriptor for reading a regular file, opened without waiting (a FIFO
// would otherwise block the open) and put back to blocking reads.
int openForReading(const std::string& path, FileError* error) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        setError(error, errno == ENOENT ? FileError::missing : FileError::unreadable);
        return -1;
    }
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        setError(error, FileError::notRegular);
        ::close(fd);
        return -1;
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    setError(error, FileError::none);
    return fd;
}

// Reads to the end of the file, or one byte past the limit.
bool readAll(int fd, std::uint64_t maxBytes, std::vector<std::uint8_t>& bytes) {
    std::uint8_t block[65536];
    for (;;) {
        const ssize_t count = ::read(fd, block, sizeof block);
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) return false;
        if (count == 0) return true;
        bytes.insert(bytes.end(), block, block + count);
        if (bytes.size() > maxBytes) return true;
    }
}

}  // namespace

const char* describeFileError(FileError error) {
    switch (error) {
        case FileError::missing:
            return "no such file";
        case FileError::notRegular:
            return "not a regular file";
        case FileError::unreadable:
            return "cannot be read";
        case FileError::tooLarge:
            return "too large";
        default:
            return "no error";
    }
}

std::optional<std::vector<std::uint8_t>> readRegularFile(const std::string& path,
                                                         std::uint64_t maxBytes, FileError* error) {
    const int fd = openForReading(path, error);
    if (fd < 0) return std::nullopt;
    std::vector<std::uint8_t> bytes;
    const bool read = readAll(fd, maxBytes, bytes);
    ::close(fd);
    if (!read || bytes.size() > maxBytes) {
        setError(error, read ? FileError::tooLarge : FileError::unreadable);
        return std::nullopt;
    }
    return bytes;
}

std::FILE* openRegularFile(const std::string& path, FileError* error) {
    const int fd = openForReading(path, error);
    if (fd < 0) return nullptr;
    std::FILE* file = fdopen(fd, "rb");
    if (file == nullptr) {
        ::close(fd);
        setError(error, FileError::unreadable);
    }
    return file;
}

bool isRegularFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

#include "platform/bass/file_window.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace {

// The file's size, or -1 when it is not a regular file (a directory opens,
// but its "size" is not data).
std::int64_t regularFileSize(int descriptor) {
    struct stat status {};
    if (fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) return -1;
    return std::int64_t(status.st_size);
}

}  // namespace

std::unique_ptr<FileWindow> FileWindow::open(const char* path, std::uint32_t offset,
                                             std::uint32_t length) {
    if (!path) return nullptr;
    // Opened without waiting, so that a FIFO is refused rather than waited on.
    const int descriptor = ::open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (descriptor < 0) return nullptr;
    const std::int64_t size = regularFileSize(descriptor);
    if (size < 0 || std::int64_t(offset) > size) {
        ::close(descriptor);
        return nullptr;
    }
    fcntl(descriptor, F_SETFL, fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
    std::int64_t available = size - std::int64_t(offset);
    if (length != 0) available = std::min<std::int64_t>(available, length);
    return std::unique_ptr<FileWindow>(new FileWindow(descriptor, offset, available));
}

FileWindow::~FileWindow() {
    ::close(descriptor_);
}

std::int64_t FileWindow::readAt(std::int64_t at, void* out, std::int64_t count) {
    std::int64_t done = 0;
    while (done < count) {
        const ssize_t got = pread(descriptor_, static_cast<char*>(out) + done,
                                  std::size_t(count - done), off_t(offset_ + at + done));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;  // the end of what the file still holds, or an error
        done += got;
    }
    return done;
}

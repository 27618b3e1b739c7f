#include "archive/mapped_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "archive/mapping_guard.h"

MappedFile::~MappedFile() {
    close();
}

// Opened without waiting, so that a FIFO is refused rather than waited on;
// only a regular file is mapped. The mapping is guarded: should the file
// shrink while it is read, the pages past its new end read as zeros (and
// the entries there fail their checks) instead of ending the process.
bool MappedFile::open(const std::string& path) {
    close();
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return false;
    struct stat info {};
    bool ok = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    if (ok && info.st_size > 0) {
        void* mapping = mmap(nullptr, info.st_size, PROT_READ, MAP_PRIVATE, fd, 0);
        ok = mapping != MAP_FAILED;
        if (ok) {
            data_ = static_cast<const uint8_t*>(mapping);
            size_ = static_cast<size_t>(info.st_size);
            ok = guardMapping(data_, size_);
            if (!ok) close();
        }
    }
    ::close(fd);
    open_ = ok;
    return ok;
}

void MappedFile::close() {
    if (data_) {
        unguardMapping(data_);
        munmap(const_cast<uint8_t*>(data_), size_);
    }
    data_ = nullptr;
    size_ = 0;
    open_ = false;
}

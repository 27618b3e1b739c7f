#include "platform/bass/memory_file.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

std::int64_t MemoryFile::seek(std::int64_t offset, int whence) {
    std::int64_t base = 0;
    if (whence == SEEK_CUR)
        base = position_;
    else if (whence == SEEK_END)
        base = size();
    else if (whence != SEEK_SET)
        return -1;
    if (offset > size() - base || offset < -base) return -1;
    position_ = base + offset;
    return position_;
}

std::int64_t MemoryFile::read(void* out, std::int64_t count) {
    const std::int64_t copied = std::min(count, size() - position_);
    if (copied <= 0) return 0;
    std::memcpy(out, bytes_.data() + position_, std::size_t(copied));
    position_ += copied;
    return copied;
}

#include "platform/bass/byte_source.h"

#include <algorithm>
#include <cstdio>

std::int64_t ByteSource::seek(std::int64_t offset, int whence) {
    std::int64_t base = 0;
    if (whence == SEEK_CUR)
        base = position_;
    else if (whence == SEEK_END)
        base = size_;
    else if (whence != SEEK_SET)
        return -1;
    if (offset > size_ - base || offset < -base) return -1;
    position_ = base + offset;
    return position_;
}

std::int64_t ByteSource::read(void* out, std::int64_t count) {
    const std::int64_t wanted = std::min(count, size_ - position_);
    if (wanted <= 0) return 0;
    const std::int64_t copied = std::max<std::int64_t>(0, readAt(position_, out, wanted));
    position_ += copied;
    return copied;
}

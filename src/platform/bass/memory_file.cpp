#include "platform/bass/memory_file.h"

#include <cstring>

std::int64_t MemoryFile::readAt(std::int64_t at, void* out, std::int64_t count) {
    std::memcpy(out, bytes_.data() + at, std::size_t(count));
    return count;
}

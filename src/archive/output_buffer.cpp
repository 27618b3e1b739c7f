#include "archive/output_buffer.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {
// Compressed data rarely expands more than this; beyond it the buffer grows
// as output actually arrives.
constexpr size_t kTrustedExpansion = 8;
constexpr size_t kMinCapacity = 1 << 20;
}  // namespace

OutputBuffer::OutputBuffer(uint32_t fullSize, size_t availableInput, bool stored)
    : fullSize_(fullSize) {
    size_t bound = stored ? availableInput : kTrustedExpansion * availableInput + kMinCapacity;
    firstCapacity_ = std::max<size_t>(1, std::min<size_t>(fullSize, bound));
}

OutputBuffer::~OutputBuffer() {
    std::free(data_);
}

bool OutputBuffer::allocate() {
    data_ = static_cast<uint8_t*>(std::malloc(firstCapacity_));
    capacity_ = data_ ? firstCapacity_ : 0;
    outOfMemory_ = !data_;
    return data_ != nullptr;
}

bool OutputBuffer::reserve(size_t needed) {
    if (needed <= capacity_) return true;
    size_t grown = std::min<size_t>(std::max(needed, capacity_ * 2), fullSize_);
    auto* bigger = static_cast<uint8_t*>(std::realloc(data_, grown));
    if (!bigger) {
        outOfMemory_ = true;
        return false;
    }
    data_ = bigger;
    capacity_ = grown;
    return true;
}

bool OutputBuffer::append(const uint8_t* bytes, size_t count) {
    size_t end = static_cast<size_t>(size_) + count;
    if (end > fullSize_ || !data_ || !reserve(end)) return false;
    if (count > 0) std::memcpy(data_ + size_, bytes, count);
    size_ = static_cast<uint32_t>(end);
    return true;
}

uint8_t* OutputBuffer::release() {
    if (data_ && capacity_ > size_ && size_ > 0) {
        if (auto* trimmed = static_cast<uint8_t*>(std::realloc(data_, size_))) data_ = trimmed;
    }
    uint8_t* block = data_;
    data_ = nullptr;
    capacity_ = size_ = 0;
    return block;
}

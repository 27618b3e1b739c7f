#include "platform/d3d8/buffer_storage.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

// Usage bits a buffer may carry: write-only, software processing, do-not-clip,
// points, RT patches, N patches and dynamic.
constexpr DWORD kBufferUsages = 0x3f8;

HRESULT checkBufferUsage(DWORD usage, D3DPOOL pool) {
    if ((usage & ~kBufferUsages) != 0) return D3DERR_INVALIDCALL;
    if ((usage & D3DUSAGE_DYNAMIC) != 0 && pool == D3DPOOL_MANAGED) return D3DERR_INVALIDCALL;
    const bool bufferPool =
        pool == D3DPOOL_DEFAULT || pool == D3DPOOL_MANAGED || pool == D3DPOOL_SYSTEMMEM;
    return bufferPool ? D3D_OK : D3DERR_INVALIDCALL;
}

}  // namespace

HRESULT checkVertexBufferCreation(UINT length, DWORD usage, D3DPOOL pool) {
    if (length == 0) return D3DERR_INVALIDCALL;
    return checkBufferUsage(usage, pool);
}

HRESULT checkIndexBufferCreation(UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool) {
    if (format != D3DFMT_INDEX16 && format != D3DFMT_INDEX32) return D3DERR_INVALIDCALL;
    if (length < (format == D3DFMT_INDEX16 ? 2u : 4u)) return D3DERR_INVALIDCALL;
    return checkBufferUsage(usage, pool);
}

HRESULT BufferStorage::lock(UINT offset, UINT size, BYTE** data, DWORD flags) {
    if (data == nullptr || offset > length()) return D3DERR_INVALIDCALL;
    const UINT end = size == 0 ? length() : offset + size;
    if (end < offset || end > length()) return D3DERR_INVALIDCALL;
    if ((flags & D3DLOCK_READONLY) == 0) {
        const bool first = written_.empty();
        written_.begin = first ? offset : std::min(written_.begin, offset);
        written_.end = first ? end : std::max(written_.end, end);
    }
    ++locks_;
    *data = bytes_.data() + offset;
    return D3D_OK;
}

HRESULT BufferStorage::unlock(Range& written) {
    written = {};
    if (locks_ == 0) return D3DERR_INVALIDCALL;
    if (--locks_ > 0) return D3D_OK;
    written = written_;
    written_ = {};
    if (!written.empty()) largestIndexKnown_ = false;
    return D3D_OK;
}

namespace {

template <class Index>
UINT largestOf(const BYTE* bytes, UINT count) {
    UINT largest = 0;
    for (UINT i = 0; i < count; ++i) {
        Index index;
        std::memcpy(&index, bytes + std::size_t(i) * sizeof index, sizeof index);
        largest = std::max(largest, UINT(index));
    }
    return largest;
}

}  // namespace

UINT BufferStorage::largestIndex(UINT first, UINT count) const {
    const BYTE* start = bytes_.data() + std::size_t(first) * indexSize_;
    return indexSize_ == 4 ? largestOf<std::uint32_t>(start, count)
                           : largestOf<std::uint16_t>(start, count);
}

UINT BufferStorage::largestIndex() const {
    if (!largestIndexKnown_ && indexSize_ != 0) {
        largestIndex_ = largestIndex(0, length() / indexSize_);
        largestIndexKnown_ = true;
    }
    return largestIndex_;
}

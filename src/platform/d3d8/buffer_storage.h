// The bytes of a vertex or index buffer with its lock bookkeeping, and the
// creation checks Direct3D makes; shared by both backends.
#pragma once

#include <vector>

#include "platform/d3d8/d3d8types.h"

// D3DERR_INVALIDCALL for arguments Direct3D refuses: no length, usage bits
// buffers cannot have, a dynamic managed buffer, or a pool buffers cannot
// live in. Index buffers also need an index format and room for one index.
HRESULT checkVertexBufferCreation(UINT length, DWORD usage, D3DPOOL pool);
HRESULT checkIndexBufferCreation(UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool);

class BufferStorage {
  public:
    // The bytes an upload has to carry: [begin, end).
    struct Range {
        UINT begin = 0;
        UINT end = 0;
        bool empty() const { return begin >= end; }
    };

    // `indexSize`: bytes per index of an index buffer (2 or 4), 0 for vertices.
    explicit BufferStorage(UINT length, UINT indexSize = 0)
        : bytes_(length, 0), indexSize_(indexSize) {}

    UINT length() const { return UINT(bytes_.size()); }
    UINT indexSize() const { return indexSize_; }
    const BYTE* data() const { return bytes_.data(); }
    bool locked() const { return locks_ > 0; }

    // The bytes from `offset`, to the end when `size` is 0. Invalid when the
    // range leaves the buffer or `data` is null. Locks nest.
    HRESULT lock(UINT offset, UINT size, BYTE** data, DWORD flags);
    // Invalid without a lock. After the last of nested locks, `written` is
    // what the locks may have changed (empty when they were all read-only).
    HRESULT unlock(Range& written);

    // The largest index of the whole index buffer, worked out once after
    // each change.
    UINT largestIndex() const;
    // The largest of `count` indices from index `first` (inside the buffer).
    UINT largestIndex(UINT first, UINT count) const;

  private:
    std::vector<BYTE> bytes_;
    unsigned locks_ = 0;
    Range written_;
    UINT indexSize_;
    mutable bool largestIndexKnown_ = false;
    mutable UINT largestIndex_ = 0;
};

// Bytes per index of a buffer described so (0 for vertex buffers).
inline UINT indexSizeOf(const D3DVERTEXBUFFER_DESC&) {
    return 0;
}
inline UINT indexSizeOf(const D3DINDEXBUFFER_DESC& desc) {
    return desc.Format == D3DFMT_INDEX32 ? 4 : 2;
}

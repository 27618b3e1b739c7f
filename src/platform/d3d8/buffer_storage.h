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

    explicit BufferStorage(UINT length) : bytes_(length, 0) {}

    UINT length() const { return UINT(bytes_.size()); }
    const BYTE* data() const { return bytes_.data(); }
    bool locked() const { return locks_ > 0; }

    // The bytes from `offset`, to the end when `size` is 0. Invalid when the
    // range leaves the buffer or `data` is null. Locks nest.
    HRESULT lock(UINT offset, UINT size, BYTE** data, DWORD flags);
    // Invalid without a lock. After the last of nested locks, `written` is
    // what the locks may have changed (empty when they were all read-only).
    HRESULT unlock(Range& written);

  private:
    std::vector<BYTE> bytes_;
    unsigned locks_ = 0;
    Range written_;
};

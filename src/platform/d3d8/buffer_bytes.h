// The memory copy behind a vertex or index buffer of either backend, which
// the checks before a draw read.
#pragma once

#include "platform/d3d8/buffer_storage.h"
#include "platform/d3d8/d3d8.h"

class BufferBytes {
  public:
    virtual const BufferStorage& storage() const = 0;

  protected:
    ~BufferBytes() = default;
};

// Null for a buffer without a memory copy (or none at all).
inline const BufferStorage* bufferBytes(IUnknown8* buffer) {
    const auto* bytes = dynamic_cast<const BufferBytes*>(buffer);
    return bytes != nullptr ? &bytes->storage() : nullptr;
}

// The triangles of one mesh that share one material, and their index buffer.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/d3d8/d3d8.h"

class FaceGroup {
  public:
    // The index buffer is released by the buffer registry, not here.
    virtual ~FaceGroup() = default;

    // Replaces the index buffer with a new managed one holding the indices.
    // False when the device refuses the buffer or its lock. A group without
    // triangles needs no buffer and has none.
    bool createIndexBuffer();

    std::vector<std::uint16_t> indices;  // three per triangle
    std::int32_t materialIndex = -1;     // -1: drawn with the default material
    IDirect3DIndexBuffer8* indexBuffer = nullptr;
};

#include "platform/d3d8/draw_checks.h"

#include <cstdint>

HRESULT checkDrawPrimitiveUP(bool inScene, const VertexLayout& layout, D3DPRIMITIVETYPE type,
                             UINT primitiveCount, const void* vertexData, UINT stride) {
    if (!inScene || !layout.valid || vertexData == nullptr) return D3DERR_INVALIDCALL;
    const UINT vertices = primitiveVertexCount(type, primitiveCount);
    if (vertices == 0 || stride < layout.stride) return D3DERR_INVALIDCALL;
    // The bytes to copy must have a size a draw can take.
    return std::uint64_t(vertices) * stride <= 0x7fffffffu ? D3D_OK : D3DERR_INVALIDCALL;
}

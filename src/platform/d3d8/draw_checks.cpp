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

namespace {

// The vertices the stream source holds; 0 when there is none or its
// stride cannot hold a vertex of the layout.
std::uint64_t streamVertices(const VertexLayout& layout, const BoundResources& bound) {
    const BufferStorage* bytes = bound.streamBytes();
    if (bytes == nullptr || bound.streamStride == 0 || bound.streamStride < layout.stride) return 0;
    return bytes->length() / bound.streamStride;
}

}  // namespace

HRESULT checkDrawPrimitive(bool inScene, const VertexLayout& layout, D3DPRIMITIVETYPE type,
                           UINT startVertex, UINT primitiveCount, const BoundResources& bound) {
    if (!inScene || !layout.valid) return D3DERR_INVALIDCALL;
    const UINT vertices = primitiveVertexCount(type, primitiveCount);
    if (vertices == 0) return D3DERR_INVALIDCALL;
    const std::uint64_t end = std::uint64_t(startVertex) + vertices;
    return end <= streamVertices(layout, bound) ? D3D_OK : D3DERR_INVALIDCALL;
}

HRESULT checkDrawIndexedPrimitive(bool inScene, const VertexLayout& layout, D3DPRIMITIVETYPE type,
                                  UINT startIndex, UINT primitiveCount,
                                  const BoundResources& bound) {
    if (!inScene || !layout.valid) return D3DERR_INVALIDCALL;
    const UINT count = primitiveVertexCount(type, primitiveCount);
    const BufferStorage* indices = bound.indexBytes();
    if (count == 0 || indices == nullptr || indices->indexSize() == 0) return D3DERR_INVALIDCALL;
    const UINT size = indices->indexSize();
    if (std::uint64_t(startIndex) + count > indices->length() / size) return D3DERR_INVALIDCALL;
    const std::uint64_t vertices = streamVertices(layout, bound);
    const std::uint64_t base = bound.baseVertexIndex;
    // The whole buffer's largest index, known once per change, mostly decides.
    if (base + indices->largestIndex() < vertices) return D3D_OK;
    return base + indices->largestIndex(startIndex, count) < vertices ? D3D_OK : D3DERR_INVALIDCALL;
}

// Checks of what a draw call is given, shared by both backends.
#pragma once

#include "platform/d3d8/bound_resources.h"
#include "platform/d3d8/d3d8types.h"
#include "platform/d3d8/vertex_layout.h"

// D3D_OK when a DrawPrimitiveUP can be carried out: inside a scene, with a
// vertex format set, vertex data given, a known primitive type and count,
// and a stride that holds a whole vertex of the format, with no more than
// 2 GiB of vertex bytes.
HRESULT checkDrawPrimitiveUP(bool inScene, const VertexLayout& layout, D3DPRIMITIVETYPE type,
                             UINT primitiveCount, const void* vertexData, UINT stride);

// D3D_OK when a DrawPrimitive can read its vertices: inside a scene, with a
// vertex format, a stream source whose stride holds a whole vertex, and
// every vertex drawn inside the stream's buffer.
HRESULT checkDrawPrimitive(bool inScene, const VertexLayout& layout, D3DPRIMITIVETYPE type,
                           UINT startVertex, UINT primitiveCount, const BoundResources& bound);

// The same for a DrawIndexedPrimitive, which also needs an index buffer
// holding every index drawn, each of which, offset by the base vertex
// index, names a vertex inside the stream's buffer.
HRESULT checkDrawIndexedPrimitive(bool inScene, const VertexLayout& layout, D3DPRIMITIVETYPE type,
                                  UINT startIndex, UINT primitiveCount,
                                  const BoundResources& bound);

// Checks of what a draw call is given, shared by both backends.
#pragma once

#include "platform/d3d8/d3d8types.h"
#include "platform/d3d8/vertex_layout.h"

// D3D_OK when a DrawPrimitiveUP can be carried out: inside a scene, with a
// vertex format set, vertex data given, a known primitive type and count,
// and a stride that holds a whole vertex of the format, with no more than
// 2 GiB of vertex bytes.
HRESULT checkDrawPrimitiveUP(bool inScene, const VertexLayout& layout, D3DPRIMITIVETYPE type,
                             UINT primitiveCount, const void* vertexData, UINT stride);

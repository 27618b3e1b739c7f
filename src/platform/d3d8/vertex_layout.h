// Where the parts of a vertex lie for a flexible vertex format (FVF), and
// how many vertices a primitive count takes; shared by both backends.
#pragma once

#include "platform/d3d8/d3d8types.h"

constexpr UINT MAX_TEXCOORD_SETS = 8;

struct VertexLayout {
    bool valid = false;           // a position and at most eight coordinate sets
    bool pretransformed = false;  // XYZRHW: screen x, y, z and 1/w
    UINT positionFloats = 0;      // 3 (XYZ), 4 (XYZRHW), or 3 plus blend weights
    int normalOffset = -1;        // -1: not in the vertex
    int diffuseOffset = -1;
    int specularOffset = -1;
    UINT texCoordCount = 0;
    UINT texCoordOffset[MAX_TEXCOORD_SETS] = {};
    UINT texCoordFloats[MAX_TEXCOORD_SETS] = {};
    UINT stride = 0;
};

VertexLayout vertexLayout(DWORD fvf);

// Vertices a draw of primitiveCount primitives reads; 0 for an unknown
// primitive type or no primitives.
UINT primitiveVertexCount(D3DPRIMITIVETYPE type, UINT primitiveCount);

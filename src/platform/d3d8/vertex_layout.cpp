#include "platform/d3d8/vertex_layout.h"

namespace {

// Floats of position and blend weights per position kind.
UINT positionFloats(DWORD position) {
    switch (position) {
        case D3DFVF_XYZ:
            return 3;
        case D3DFVF_XYZRHW:
            return 4;
        case D3DFVF_XYZB1:
            return 4;
        case D3DFVF_XYZB2:
            return 5;
        case D3DFVF_XYZB3:
            return 6;
        case D3DFVF_XYZB4:
            return 7;
        case D3DFVF_XYZB5:
            return 8;
        default:
            return 0;
    }
}

// Coordinate-set sizes: two bits per set from bit 16; 0 means two floats.
UINT texCoordFloats(DWORD fvf, UINT set) {
    switch ((fvf >> (16 + 2 * set)) & 3) {
        case 1:
            return 3;
        case 2:
            return 4;
        case 3:
            return 1;
        default:
            return 2;
    }
}

int take(UINT& offset, UINT bytes) {
    const int at = int(offset);
    offset += bytes;
    return at;
}

}  // namespace

VertexLayout vertexLayout(DWORD fvf) {
    VertexLayout layout;
    const DWORD position = fvf & D3DFVF_POSITION_MASK;
    layout.positionFloats = positionFloats(position);
    layout.texCoordCount = (fvf & D3DFVF_TEXCOUNT_MASK) >> D3DFVF_TEXCOUNT_SHIFT;
    if (layout.positionFloats == 0 || layout.texCoordCount > MAX_TEXCOORD_SETS) return layout;
    layout.pretransformed = position == D3DFVF_XYZRHW;
    UINT offset = layout.positionFloats * 4;
    if (fvf & D3DFVF_NORMAL) layout.normalOffset = take(offset, 12);
    if (fvf & D3DFVF_PSIZE) take(offset, 4);
    if (fvf & D3DFVF_DIFFUSE) layout.diffuseOffset = take(offset, 4);
    if (fvf & D3DFVF_SPECULAR) layout.specularOffset = take(offset, 4);
    for (UINT set = 0; set < layout.texCoordCount; ++set) {
        layout.texCoordFloats[set] = texCoordFloats(fvf, set);
        layout.texCoordOffset[set] = UINT(take(offset, layout.texCoordFloats[set] * 4));
    }
    layout.stride = offset;
    layout.valid = true;
    return layout;
}

UINT primitiveVertexCount(D3DPRIMITIVETYPE type, UINT primitiveCount) {
    // Beyond any device's primitive limit; also keeps the products in range.
    if (primitiveCount == 0 || primitiveCount > 0x0fffffff) return 0;
    switch (type) {
        case D3DPT_POINTLIST:
            return primitiveCount;
        case D3DPT_LINELIST:
            return primitiveCount * 2;
        case D3DPT_LINESTRIP:
            return primitiveCount + 1;
        case D3DPT_TRIANGLELIST:
            return primitiveCount * 3;
        case D3DPT_TRIANGLESTRIP:
        case D3DPT_TRIANGLEFAN:
            return primitiveCount + 2;
        default:
            return 0;
    }
}

// Vertex sizes of flexible vertex formats, and bounding spheres of vertex
// arrays stored in them.
#include <cmath>
#include <cstring>

#include "d3dx/d3dx_math.h"

namespace {

// Flexible vertex format bits, as the device defines them.
constexpr DWORD kPositionMask = 0x00E;
constexpr DWORD kNormal = 0x010;
constexpr DWORD kPointSize = 0x020;
constexpr DWORD kDiffuse = 0x040;
constexpr DWORD kSpecular = 0x080;
constexpr DWORD kTexCountMask = 0xF00;
constexpr int kTexCountShift = 8;
constexpr int kTexSizeShift = 16;
constexpr DWORD kMaxTexSets = 8;

// Position bytes: XYZ 12, XYZRHW 16, XYZ with 1 to 5 blend weights 16 to 32.
UINT positionSize(DWORD fvf) {
    const DWORD position = fvf & kPositionMask;
    if (position == 0) return 0;
    if (position == 0x002) return 12;
    if (position == 0x004) return 16;
    return 12 + 4 * ((position - 0x004) / 2);
}

// Each texture coordinate set has a two-bit size code: 0 two floats, 1 three,
// 2 four, 3 one.
UINT textureCoordinateSize(DWORD fvf) {
    static constexpr UINT kFloatsPerCode[4] = {2, 3, 4, 1};
    const DWORD sets = (fvf & kTexCountMask) >> kTexCountShift;
    UINT bytes = 0;
    for (DWORD set = 0; set < sets; ++set) {
        bytes += 4 * kFloatsPerCode[(fvf >> (kTexSizeShift + 2 * set)) & 3];
    }
    return bytes;
}

D3DXVECTOR3 positionAt(const BYTE* vertices, DWORD index, UINT stride) {
    D3DXVECTOR3 position;
    std::memcpy(&position, vertices + std::size_t(index) * stride, sizeof position);
    return position;
}

// The mean is summed in double so that long arrays do not lose precision.
D3DXVECTOR3 meanPosition(const BYTE* vertices, DWORD count, UINT stride) {
    double sum[3] = {0, 0, 0};
    for (DWORD i = 0; i < count; ++i) {
        const D3DXVECTOR3 p = positionAt(vertices, i, stride);
        sum[0] += p.x, sum[1] += p.y, sum[2] += p.z;
    }
    return {float(sum[0] / count), float(sum[1] / count), float(sum[2] / count)};
}

float farthestDistance(const BYTE* vertices, DWORD count, UINT stride, const D3DXVECTOR3& centre) {
    float farthest = 0.0f;
    for (DWORD i = 0; i < count; ++i) {
        D3DXVECTOR3 p = positionAt(vertices, i, stride);
        D3DXVec3Subtract(&p, &p, &centre);
        farthest = std::fmax(farthest, D3DXVec3Length(&p));
    }
    return farthest;
}

}  // namespace

UINT D3DXGetFVFVertexSize(DWORD fvf) {
    const UINT position = positionSize(fvf);
    const DWORD textureSets = (fvf & kTexCountMask) >> kTexCountShift;
    if (position == 0 || textureSets > kMaxTexSets) return 0;
    UINT size = position + textureCoordinateSize(fvf);
    if (fvf & kNormal) size += 12;
    if (fvf & kPointSize) size += 4;
    if (fvf & kDiffuse) size += 4;
    if (fvf & kSpecular) size += 4;
    return size;
}

HRESULT D3DXComputeBoundingSphere(const void* pointsFVF, DWORD numVertices, DWORD fvf,
                                  D3DXVECTOR3* center, float* radius) {
    const UINT stride = D3DXGetFVFVertexSize(fvf);
    if (!pointsFVF || numVertices == 0 || stride == 0 || !center || !radius) {
        return D3DERR_INVALIDCALL;
    }
    const BYTE* vertices = static_cast<const BYTE*>(pointsFVF);
    *center = meanPosition(vertices, numVertices, stride);
    *radius = farthestDistance(vertices, numVertices, stride, *center);
    return D3D_OK;
}

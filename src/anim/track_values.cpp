// Blending of track values: componentwise (1 − s)·a + s·b, or a spherical
// blend for rotations.
#include "anim/track_values.h"

#include "d3dx/d3dx_math.h"

namespace {

float blend(float a, float b, float s) {
    return (1.0f - s) * a + s * b;
}

}  // namespace

float TrackValues<float>::interpolate(float a, float b, float s) {
    return blend(a, b, s);
}

D3DXVECTOR3 TrackValues<D3DXVECTOR3>::interpolate(const D3DXVECTOR3& a, const D3DXVECTOR3& b,
                                                  float s) {
    return {blend(a.x, b.x, s), blend(a.y, b.y, s), blend(a.z, b.z, s)};
}

D3DXQUATERNION TrackValues<D3DXQUATERNION>::interpolate(const D3DXQUATERNION& a,
                                                        const D3DXQUATERNION& b, float s) {
    D3DXQUATERNION result;
    D3DXQuaternionSlerp(&result, &a, &b, s);
    return result;
}

ColorValue TrackValues<ColorValue>::interpolate(const ColorValue& a, const ColorValue& b, float s) {
    return {blend(a.c0, b.c0, s), blend(a.c1, b.c1, s), blend(a.c2, b.c2, s), blend(a.c3, b.c3, s)};
}

// Quaternion rotations: composition and spherical interpolation.
#include <algorithm>
#include <cmath>

#include "d3dx/d3dx_math.h"

D3DXQUATERNION* D3DXQuaternionIdentity(D3DXQUATERNION* out) {
    *out = {0.0f, 0.0f, 0.0f, 1.0f};
    return out;
}

float D3DXQuaternionDot(const D3DXQUATERNION* q1, const D3DXQUATERNION* q2) {
    return q1->x * q2->x + q1->y * q2->y + q1->z * q2->z + q1->w * q2->w;
}

// q1 followed by q2 is the Hamilton product q2 ⊗ q1.
D3DXQUATERNION* D3DXQuaternionMultiply(D3DXQUATERNION* out, const D3DXQUATERNION* q1,
                                       const D3DXQUATERNION* q2) {
    const D3DXQUATERNION& a = *q2;
    const D3DXQUATERNION& b = *q1;
    *out = {a.w * b.x + a.x * b.w + a.y * b.z - a.z * b.y,
            a.w * b.y - a.x * b.z + a.y * b.w + a.z * b.x,
            a.w * b.z + a.x * b.y - a.y * b.x + a.z * b.w,
            a.w * b.w - a.x * b.x - a.y * b.y - a.z * b.z};
    return out;
}

namespace {

// Below this angle between the two rotations, sin θ is too small to divide
// by and a straight blend is as exact.
constexpr float kNearlyParallel = 1.0f - 1e-6f;

struct BlendWeights {
    float first, second;
};

// Weights of q1 and of the (already sign-corrected) q2 for a given cosine of
// the angle between them.
BlendWeights slerpWeights(float cosTheta, float t) {
    if (cosTheta > kNearlyParallel) return {1.0f - t, t};
    const float theta = std::acos(std::min(cosTheta, 1.0f));
    const float sinTheta = std::sin(theta);
    return {std::sin((1.0f - t) * theta) / sinTheta, std::sin(t * theta) / sinTheta};
}

}  // namespace

// q and −q are the same rotation; q2 is flipped when needed so that the
// interpolation takes the shorter of the two arcs.
D3DXQUATERNION* D3DXQuaternionSlerp(D3DXQUATERNION* out, const D3DXQUATERNION* q1,
                                    const D3DXQUATERNION* q2, float t) {
    float cosTheta = D3DXQuaternionDot(q1, q2);
    const float sign = cosTheta < 0.0f ? -1.0f : 1.0f;
    cosTheta *= sign;
    const BlendWeights w = slerpWeights(cosTheta, t);
    const float second = w.second * sign;
    *out = {w.first * q1->x + second * q2->x, w.first * q1->y + second * q2->y,
            w.first * q1->z + second * q2->z, w.first * q1->w + second * q2->w};
    return out;
}

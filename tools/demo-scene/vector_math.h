// Small vector and quaternion helpers for building the scene: the math
// library's types have no operators, and the generators need many sums.
#pragma once

#include <cmath>

#include "d3dx/d3dx_math_types.h"

constexpr float kPi = 3.14159265358979f;

inline D3DXVECTOR3 operator+(D3DXVECTOR3 a, D3DXVECTOR3 b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline D3DXVECTOR3 operator-(D3DXVECTOR3 a, D3DXVECTOR3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline D3DXVECTOR3 operator*(D3DXVECTOR3 v, float s) {
    return {v.x * s, v.y * s, v.z * s};
}
inline D3DXVECTOR3 operator*(float s, D3DXVECTOR3 v) {
    return v * s;
}
inline float dot(D3DXVECTOR3 a, D3DXVECTOR3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline D3DXVECTOR3 cross(D3DXVECTOR3 a, D3DXVECTOR3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline float length(D3DXVECTOR3 v) {
    return std::sqrt(dot(v, v));
}
// Zero stays zero.
inline D3DXVECTOR3 normalized(D3DXVECTOR3 v) {
    const float l = length(v);
    return l > 0 ? v * (1.0f / l) : v;
}

// The turn by `angle` radians about `axis`, in the convention of the
// scene's matrices: (1, 0, 0) turned about +z by a small angle gains +y.
inline D3DXQUATERNION axisAngle(D3DXVECTOR3 axis, float angle) {
    const D3DXVECTOR3 n = normalized(axis);
    const float s = std::sin(angle / 2);
    return {n.x * s, n.y * s, n.z * s, std::cos(angle / 2)};
}
inline D3DXQUATERNION conjugate(D3DXQUATERNION q) {
    return {-q.x, -q.y, -q.z, q.w};
}
// The shortest turn that carries direction `from` onto direction `to`.
inline D3DXQUATERNION turnBetween(D3DXVECTOR3 from, D3DXVECTOR3 to) {
    const D3DXVECTOR3 a = normalized(from), b = normalized(to);
    const float c = dot(a, b);
    if (c < -0.9999f) {
        const D3DXVECTOR3 side =
            std::fabs(a.x) < 0.9f ? D3DXVECTOR3{1, 0, 0} : D3DXVECTOR3{0, 1, 0};
        return axisAngle(cross(a, side), kPi);
    }
    const D3DXVECTOR3 axis = cross(a, b);
    const float w = 1 + c;
    const float l = std::sqrt(dot(axis, axis) + w * w);
    return {axis.x / l, axis.y / l, axis.z / l, w / l};
}

// Assimp's space is right-handed and y-up; a y3d scene is left-handed and
// y-up. Everything crosses over by negating z: points and directions lose
// their z sign, a rotation quaternion (x, y, z, w) becomes (−x, −y, z, w),
// and a matrix M becomes S·M·S with S = diag(1, 1, −1). Positions are also
// multiplied by the conversion's scale.
#pragma once

#include <assimp/matrix4x4.h>
#include <assimp/quaternion.h>
#include <assimp/vector3.h>

#include <array>

#include "d3dx/d3dx_math_types.h"

inline D3DXVECTOR3 mirroredDirection(const aiVector3D& v) {
    return {v.x, v.y, -v.z};
}

inline D3DXVECTOR3 mirroredPoint(const aiVector3D& v, float scale) {
    return {v.x * scale, v.y * scale, -v.z * scale};
}

inline D3DXQUATERNION mirroredRotation(const aiQuaternion& q) {
    return {-q.x, -q.y, q.z, q.w};
}

// The y3d node matrix (row vectors: x axis, y axis, z axis, translation)
// of assimp's column-vector matrix m.
inline std::array<float, 12> mirroredMatrix(const aiMatrix4x4& m, float scale) {
    const float s[3] = {1, 1, -1};
    std::array<float, 12> rows{};
    for (int axis = 0; axis < 3; ++axis)
        for (int c = 0; c < 3; ++c) rows[axis * 3 + c] = s[axis] * s[c] * m[c][axis];
    for (int c = 0; c < 3; ++c) rows[9 + c] = s[c] * m[c][3] * scale;
    return rows;
}

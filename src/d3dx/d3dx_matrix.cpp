// Building and multiplying row-vector transformation matrices.
#include <cmath>

#include "d3dx/d3dx_math.h"

D3DXMATRIX* D3DXMatrixIdentity(D3DXMATRIX* out) {
    *out = D3DXMATRIX(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);
    return out;
}

D3DXMATRIX* D3DXMatrixMultiply(D3DXMATRIX* out, const D3DXMATRIX* m1, const D3DXMATRIX* m2) {
    D3DXMATRIX product;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            product.m[row][column] =
                m1->m[row][0] * m2->m[0][column] + m1->m[row][1] * m2->m[1][column] +
                m1->m[row][2] * m2->m[2][column] + m1->m[row][3] * m2->m[3][column];
        }
    }
    *out = product;
    return out;
}

// The rotation of a unit quaternion, laid out so that a row vector times the
// matrix is rotated.
D3DXMATRIX* D3DXMatrixRotationQuaternion(D3DXMATRIX* out, const D3DXQUATERNION* q) {
    const float xx = q->x * q->x, yy = q->y * q->y, zz = q->z * q->z;
    const float xy = q->x * q->y, xz = q->x * q->z, yz = q->y * q->z;
    const float wx = q->w * q->x, wy = q->w * q->y, wz = q->w * q->z;
    *out = D3DXMATRIX(1 - 2 * (yy + zz), 2 * (xy + wz), 2 * (xz - wy), 0,  //
                      2 * (xy - wz), 1 - 2 * (xx + zz), 2 * (yz + wx), 0,  //
                      2 * (xz + wy), 2 * (yz - wx), 1 - 2 * (xx + yy), 0,  //
                      0, 0, 0, 1);
    return out;
}

// Rotation about z by angle radians: x turns towards y.
D3DXMATRIX* D3DXMatrixRotationZ(D3DXMATRIX* out, float angle) {
    const float c = std::cos(angle), s = std::sin(angle);
    *out = D3DXMATRIX(c, s, 0, 0, -s, c, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);
    return out;
}

D3DXMATRIX* D3DXMatrixScaling(D3DXMATRIX* out, float sx, float sy, float sz) {
    *out = D3DXMATRIX(sx, 0, 0, 0, 0, sy, 0, 0, 0, 0, sz, 0, 0, 0, 0, 1);
    return out;
}

D3DXMATRIX* D3DXMatrixTranslation(D3DXMATRIX* out, float x, float y, float z) {
    *out = D3DXMATRIX(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1);
    return out;
}

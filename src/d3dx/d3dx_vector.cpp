// Three-component vector operations.
#include <cmath>

#include "d3dx/d3dx_math.h"

float D3DXVec3Dot(const D3DXVECTOR3* v1, const D3DXVECTOR3* v2) {
    return v1->x * v2->x + v1->y * v2->y + v1->z * v2->z;
}

float D3DXVec3Length(const D3DXVECTOR3* v) {
    return std::sqrt(D3DXVec3Dot(v, v));
}

D3DXVECTOR3* D3DXVec3Subtract(D3DXVECTOR3* out, const D3DXVECTOR3* v1, const D3DXVECTOR3* v2) {
    *out = {v1->x - v2->x, v1->y - v2->y, v1->z - v2->z};
    return out;
}

D3DXVECTOR3* D3DXVec3Cross(D3DXVECTOR3* out, const D3DXVECTOR3* v1, const D3DXVECTOR3* v2) {
    *out = {v1->y * v2->z - v1->z * v2->y, v1->z * v2->x - v1->x * v2->z,
            v1->x * v2->y - v1->y * v2->x};
    return out;
}

D3DXVECTOR3* D3DXVec3Normalize(D3DXVECTOR3* out, const D3DXVECTOR3* v) {
    const float length = D3DXVec3Length(v);
    if (length == 0.0f) {
        *out = {0.0f, 0.0f, 0.0f};
        return out;
    }
    *out = {v->x / length, v->y / length, v->z / length};
    return out;
}

D3DXVECTOR3* D3DXVec3TransformCoord(D3DXVECTOR3* out, const D3DXVECTOR3* v, const D3DXMATRIX* m) {
    float result[4];
    for (int column = 0; column < 4; ++column) {
        result[column] = v->x * m->m[0][column] + v->y * m->m[1][column] + v->z * m->m[2][column] +
                         m->m[3][column];
    }
    const float w = result[3];
    if (w == 0.0f) {
        *out = {result[0], result[1], result[2]};
        return out;
    }
    *out = {result[0] / w, result[1] / w, result[2] / w};
    return out;
}

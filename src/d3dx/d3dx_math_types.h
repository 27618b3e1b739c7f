// Vector, matrix, quaternion and plane types of the Direct3D extension
// utilities. All are plain floats in the published member order, so they can
// be copied to and from file records and device calls unchanged.
#pragma once

#include "platform/d3d8/d3d8types.h"

struct D3DXVECTOR2 {
    float x, y;
};

struct D3DXVECTOR3 {
    float x, y, z;
};

struct D3DXVECTOR4 {
    float x, y, z, w;
};

// A rotation as x, y, z, w with w last.
struct D3DXQUATERNION {
    float x, y, z, w;
};

// The plane a·x + b·y + c·z + d = 0; (a, b, c) is its normal.
struct D3DXPLANE {
    float a, b, c, d;
};

// Row-major 4 × 4 matrix in the row-vector convention: a point is the row
// vector (x, y, z, 1) times the matrix, so row 3 holds the translation.
struct D3DXMATRIX : D3DMATRIX {
    D3DXMATRIX() = default;
    explicit D3DXMATRIX(const D3DMATRIX& source) : D3DMATRIX(source) {}
    D3DXMATRIX(float m11, float m12, float m13, float m14, float m21, float m22, float m23,
               float m24, float m31, float m32, float m33, float m34, float m41, float m42,
               float m43, float m44)
        : D3DMATRIX{{{m11, m12, m13, m14},
                     {m21, m22, m23, m24},
                     {m31, m32, m33, m34},
                     {m41, m42, m43, m44}}} {}

    float& operator()(UINT row, UINT column) { return m[row][column]; }
    float operator()(UINT row, UINT column) const { return m[row][column]; }
};

static_assert(sizeof(D3DXVECTOR3) == 12 && sizeof(D3DXQUATERNION) == 16);
static_assert(sizeof(D3DXPLANE) == 16 && sizeof(D3DXMATRIX) == 64);

// Inverse of a 4 × 4 matrix by cofactor expansion. The arithmetic is done in
// double precision: the frustum corners come from inverting view ×
// projection, which is badly conditioned for a far plane far from the near.
#include <cmath>

#include "d3dx/d3dx_math.h"

namespace {

using Rows = double[4][4];

// The six 2 × 2 determinants of two rows, one per pair of columns, in the
// column-pair order (0,1) (0,2) (0,3) (1,2) (1,3) (2,3).
struct PairDeterminants {
    double d01, d02, d03, d12, d13, d23;
};

PairDeterminants pairDeterminants(const double* top, const double* bottom) {
    auto det = [&](int i, int j) { return top[i] * bottom[j] - bottom[i] * top[j]; };
    return {det(0, 1), det(0, 2), det(0, 3), det(1, 2), det(1, 3), det(2, 3)};
}

// Adjugate (transposed cofactors) from the pair determinants of rows 0-1 (s)
// and rows 2-3 (c).
void adjugate(const Rows a, const PairDeterminants& s, const PairDeterminants& c, Rows out) {
    out[0][0] = a[1][1] * c.d23 - a[1][2] * c.d13 + a[1][3] * c.d12;
    out[0][1] = -a[0][1] * c.d23 + a[0][2] * c.d13 - a[0][3] * c.d12;
    out[0][2] = a[3][1] * s.d23 - a[3][2] * s.d13 + a[3][3] * s.d12;
    out[0][3] = -a[2][1] * s.d23 + a[2][2] * s.d13 - a[2][3] * s.d12;
    out[1][0] = -a[1][0] * c.d23 + a[1][2] * c.d03 - a[1][3] * c.d02;
    out[1][1] = a[0][0] * c.d23 - a[0][2] * c.d03 + a[0][3] * c.d02;
    out[1][2] = -a[3][0] * s.d23 + a[3][2] * s.d03 - a[3][3] * s.d02;
    out[1][3] = a[2][0] * s.d23 - a[2][2] * s.d03 + a[2][3] * s.d02;
    out[2][0] = a[1][0] * c.d13 - a[1][1] * c.d03 + a[1][3] * c.d01;
    out[2][1] = -a[0][0] * c.d13 + a[0][1] * c.d03 - a[0][3] * c.d01;
    out[2][2] = a[3][0] * s.d13 - a[3][1] * s.d03 + a[3][3] * s.d01;
    out[2][3] = -a[2][0] * s.d13 + a[2][1] * s.d03 - a[2][3] * s.d01;
    out[3][0] = -a[1][0] * c.d12 + a[1][1] * c.d02 - a[1][2] * c.d01;
    out[3][1] = a[0][0] * c.d12 - a[0][1] * c.d02 + a[0][2] * c.d01;
    out[3][2] = -a[3][0] * s.d12 + a[3][1] * s.d02 - a[3][2] * s.d01;
    out[3][3] = a[2][0] * s.d12 - a[2][1] * s.d02 + a[2][2] * s.d01;
}

double determinant(const PairDeterminants& s, const PairDeterminants& c) {
    return s.d01 * c.d23 - s.d02 * c.d13 + s.d03 * c.d12 + s.d12 * c.d03 - s.d13 * c.d02 +
           s.d23 * c.d01;
}

}  // namespace

D3DXMATRIX* D3DXMatrixInverse(D3DXMATRIX* out, float* determinantOut, const D3DXMATRIX* m) {
    Rows a;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) a[row][column] = m->m[row][column];
    }
    const PairDeterminants s = pairDeterminants(a[0], a[1]);
    const PairDeterminants c = pairDeterminants(a[2], a[3]);
    const double det = determinant(s, c);
    if (determinantOut) *determinantOut = static_cast<float>(det);
    // A zero determinant has no inverse; a non-finite one (NaN or infinite
    // entries) has no meaningful one.
    if (det == 0.0 || !std::isfinite(det)) return nullptr;
    Rows adj;
    adjugate(a, s, c, adj);
    D3DXMATRIX inverse;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            inverse.m[row][column] = static_cast<float>(adj[row][column] / det);
            // A nearly singular matrix whose inverse does not fit in floats
            // is reported like a singular one.
            if (!std::isfinite(inverse.m[row][column])) return nullptr;
        }
    }
    *out = inverse;
    return out;
}

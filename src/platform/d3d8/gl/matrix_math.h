// Direct3D's row-vector matrices: a point p goes through m as p × m.
#pragma once

#include "platform/d3d8/d3d8types.h"

// a × b: a point goes through a, then b.
D3DMATRIX multiply(const D3DMATRIX& a, const D3DMATRIX& b);

// The inverse of m; false (and `inverse` untouched) when m has none.
bool invert(const D3DMATRIX& m, D3DMATRIX& inverse);

// A point (w = 1) and a direction (w = 0) through m.
D3DVECTOR transformPoint(const D3DVECTOR& point, const D3DMATRIX& m);
D3DVECTOR transformDirection(const D3DVECTOR& direction, const D3DMATRIX& m);

// The vector scaled to length 1; the zero vector stays zero.
D3DVECTOR normalized(const D3DVECTOR& v);

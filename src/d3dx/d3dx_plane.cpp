// Planes through points, and where a point lies relative to a plane.
#include "d3dx/d3dx_math.h"

D3DXPLANE* D3DXPlaneFromPoints(D3DXPLANE* out, const D3DXVECTOR3* p1, const D3DXVECTOR3* p2,
                               const D3DXVECTOR3* p3) {
    D3DXVECTOR3 edge1, edge2, normal;
    D3DXVec3Subtract(&edge1, p2, p1);
    D3DXVec3Subtract(&edge2, p3, p1);
    D3DXVec3Normalize(&normal, D3DXVec3Cross(&normal, &edge1, &edge2));
    *out = {normal.x, normal.y, normal.z, -D3DXVec3Dot(&normal, p1)};
    return out;
}

float D3DXPlaneDotCoord(const D3DXPLANE* plane, const D3DXVECTOR3* v) {
    return plane->a * v->x + plane->b * v->y + plane->c * v->z + plane->d;
}

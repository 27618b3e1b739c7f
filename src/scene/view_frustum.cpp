#include "scene/view_frustum.h"

#include "d3dx/d3dx_math.h"

namespace {

// The corners of the projected view volume: x and y from −1 to 1, depth
// from 0 (near) to 1 (far).
constexpr D3DXVECTOR3 kVolumeCorners[8] = {{-1, -1, 0}, {1, -1, 0}, {-1, 1, 0}, {1, 1, 0},
                                           {-1, -1, 1}, {1, -1, 1}, {-1, 1, 1}, {1, 1, 1}};

// The three corners each plane passes through, in the order that turns its
// normal outwards: left, right, top, bottom, near, far.
constexpr int kPlaneCorners[6][3] = {{2, 4, 6}, {7, 5, 3}, {2, 6, 3},
                                     {1, 4, 0}, {0, 2, 1}, {6, 5, 7}};

}  // namespace

ViewFrustum::ViewFrustum(const D3DXMATRIX& view, const D3DXMATRIX& projection) {
    D3DXMATRIX viewProjection, inverse;
    D3DXMatrixMultiply(&viewProjection, &view, &projection);
    if (D3DXMatrixInverse(&inverse, nullptr, &viewProjection) == nullptr) return;
    D3DXVECTOR3 corners[8];
    for (int i = 0; i < 8; ++i) D3DXVec3TransformCoord(&corners[i], &kVolumeCorners[i], &inverse);
    for (int p = 0; p < 6; ++p)
        D3DXPlaneFromPoints(&planes_[p], &corners[kPlaneCorners[p][0]],
                            &corners[kPlaneCorners[p][1]], &corners[kPlaneCorners[p][2]]);
    valid_ = true;
}

bool ViewFrustum::sphereOutside(const D3DXVECTOR3& centre, float radius) const {
    if (!valid_) return false;
    for (const D3DXPLANE& plane : planes_)
        if (D3DXPlaneDotCoord(&plane, &centre) > radius) return true;
    return false;
}

bool ViewFrustum::cornersOutside(const std::array<D3DXVECTOR3, 8>& corners) const {
    if (!valid_) return false;
    for (const D3DXPLANE& plane : planes_) {
        bool allOutside = true;
        for (const D3DXVECTOR3& corner : corners)
            allOutside = allOutside && D3DXPlaneDotCoord(&plane, &corner) > 0;
        if (allOutside) return true;
    }
    return false;
}

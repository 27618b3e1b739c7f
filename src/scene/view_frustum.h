// The volume a camera sees, as six planes whose normals point outwards
// (left, right, top, bottom, near, far): a point is outside a plane when
// its signed distance is above 0.
#pragma once

#include <array>

#include "d3dx/d3dx_math_types.h"

class ViewFrustum {
  public:
    // From the camera's view and projection matrices. When view × projection
    // has no inverse there is no volume to test against and nothing is
    // outside it.
    ViewFrustum(const D3DXMATRIX& view, const D3DXMATRIX& projection);

    // A sphere lies wholly outside when its centre is farther than its
    // radius outside some plane.
    bool sphereOutside(const D3DXVECTOR3& centre, float radius) const;
    // The corners lie wholly outside when all are outside one same plane.
    bool cornersOutside(const std::array<D3DXVECTOR3, 8>& corners) const;

    bool valid() const { return valid_; }
    const std::array<D3DXPLANE, 6>& planes() const { return planes_; }

  private:
    std::array<D3DXPLANE, 6> planes_{};
    bool valid_ = false;
};

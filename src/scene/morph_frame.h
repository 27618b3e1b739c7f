// One key shape of a morphing mesh: vertex positions and unit normals at a
// scene time.
#pragma once

#include <vector>

#include "d3dx/d3dx_math_types.h"

struct MorphFrame {
    float time = 0;
    std::vector<D3DXVECTOR3> positions;
    std::vector<D3DXVECTOR3> normals;
};

// One vertex of a scene mesh, laid out exactly as in y3d files and in the
// meshes' vertex buffers.
#pragma once

#include "d3dx/d3dx_math_types.h"

struct SceneVertex {
    D3DXVECTOR3 position;
    D3DXVECTOR3 normal;
    float u, v;
};

static_assert(sizeof(SceneVertex) == 32);

// Position, normal, one pair of texture coordinates (0x112).
constexpr DWORD kSceneVertexFvf = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1;
static_assert(kSceneVertexFvf == 0x112);

// What a depth-stencil surface is created with and reports, shared by both
// backends.
#pragma once

#include "platform/d3d8/d3d8types.h"

// D3DERR_INVALIDCALL unless the size is within 1..maxSide, the format a
// depth format the layer offers and there is no multisampling.
HRESULT checkDepthStencilCreation(UINT width, UINT height, D3DFORMAT format,
                                  D3DMULTISAMPLE_TYPE multiSample, UINT maxSide);

// A depth-stencil surface: depth-stencil usage, default pool.
D3DSURFACE_DESC depthStencilDesc(UINT width, UINT height, D3DFORMAT format);

// What a back-buffer surface reports and which part of it a lock covers.
#pragma once

#include "platform/d3d8/d3d8types.h"

// A back buffer: render-target usage, default pool.
D3DSURFACE_DESC backBufferDesc(const D3DPRESENT_PARAMETERS& params);

// The area a LockRect call reads: the whole surface for a null rectangle;
// false when the rectangle is empty or reaches outside the surface.
bool resolveLockRect(const RECT* requested, UINT width, UINT height, RECT& area);

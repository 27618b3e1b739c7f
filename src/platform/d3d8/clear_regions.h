// What a Clear call covers, shared by both backends.
#pragma once

#include <vector>

#include "platform/d3d8/d3d8types.h"

// D3D_OK when the call can be carried out: rectangles given when counted,
// and a depth (stencil) buffer present when depth (stencil) is to be cleared.
HRESULT checkClear(DWORD count, const D3DRECT* rects, DWORD flags, bool hasDepth, bool hasStencil);

// The rectangles to clear, each clipped to the viewport: the whole viewport
// when count is 0. Empty rectangles are left out.
std::vector<D3DRECT> clearRegions(DWORD count, const D3DRECT* rects, const D3DVIEWPORT8& viewport);

// What a Clear call covers, shared by both backends.
#pragma once

#include "platform/d3d8/d3d8types.h"

// D3D_OK when the call can be carried out: rectangles given when counted,
// and a depth (stencil) buffer present when depth (stencil) is to be cleared.
HRESULT checkClear(DWORD count, const D3DRECT* rects, DWORD flags, bool hasDepth, bool hasStencil);

// The viewport as a rectangle, and a rectangle clipped to another one.
D3DRECT viewportRect(const D3DVIEWPORT8& viewport);
D3DRECT intersect(const D3DRECT& a, const D3DRECT& b);
bool isEmpty(const D3DRECT& rect);

// Calls `clear` with each rectangle to clear, clipped to the viewport: the
// whole viewport when count is 0. Empty rectangles are left out. Nothing is
// allocated: a clear happens many times a frame.
template <class Clear>
void forEachClearRegion(DWORD count, const D3DRECT* rects, const D3DVIEWPORT8& viewport,
                        Clear&& clear) {
    const D3DRECT whole = viewportRect(viewport);
    if (count == 0 || rects == nullptr) {
        if (!isEmpty(whole)) clear(whole);
        return;
    }
    for (DWORD i = 0; i < count; ++i) {
        const D3DRECT clipped = intersect(rects[i], whole);
        if (!isEmpty(clipped)) clear(clipped);
    }
}

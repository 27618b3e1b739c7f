#include "platform/d3d8/clear_regions.h"

#include <algorithm>

HRESULT checkClear(DWORD count, const D3DRECT* rects, DWORD flags, bool hasDepth, bool hasStencil) {
    if (count > 0 && rects == nullptr) return D3DERR_INVALIDCALL;
    if ((flags & D3DCLEAR_ZBUFFER) && !hasDepth) return D3DERR_INVALIDCALL;
    if ((flags & D3DCLEAR_STENCIL) && !hasStencil) return D3DERR_INVALIDCALL;
    return D3D_OK;
}

D3DRECT viewportRect(const D3DVIEWPORT8& viewport) {
    return {LONG(viewport.X), LONG(viewport.Y), LONG(viewport.X + viewport.Width),
            LONG(viewport.Y + viewport.Height)};
}

D3DRECT intersect(const D3DRECT& a, const D3DRECT& b) {
    return {std::max(a.x1, b.x1), std::max(a.y1, b.y1), std::min(a.x2, b.x2), std::min(a.y2, b.y2)};
}

bool isEmpty(const D3DRECT& rect) {
    return rect.x1 >= rect.x2 || rect.y1 >= rect.y2;
}

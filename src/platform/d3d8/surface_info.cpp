#include "platform/d3d8/surface_info.h"

#include "platform/d3d8/format_info.h"

D3DSURFACE_DESC backBufferDesc(const D3DPRESENT_PARAMETERS& params) {
    D3DSURFACE_DESC desc{};
    desc.Format = params.BackBufferFormat;
    desc.Type = D3DRTYPE_SURFACE;
    desc.Usage = D3DUSAGE_RENDERTARGET;
    desc.Pool = D3DPOOL_DEFAULT;
    desc.Size = params.BackBufferWidth * params.BackBufferHeight *
                bitsPerPixel(params.BackBufferFormat) / 8;
    desc.MultiSampleType = params.MultiSampleType;
    desc.Width = params.BackBufferWidth;
    desc.Height = params.BackBufferHeight;
    return desc;
}

bool resolveLockRect(const RECT* requested, UINT width, UINT height, RECT& area) {
    if (requested == nullptr) {
        area = {0, 0, LONG(width), LONG(height)};
        return width > 0 && height > 0;
    }
    area = *requested;
    if (area.left < 0 || area.top < 0 || area.left >= area.right || area.top >= area.bottom)
        return false;
    return area.right <= LONG(width) && area.bottom <= LONG(height);
}

#include "platform/d3d8/depth_surface_info.h"

#include "platform/d3d8/format_info.h"

namespace {

bool isOfferedDepthFormat(D3DFORMAT format) {
    return format == D3DFMT_D16 || format == D3DFMT_D24X8 || format == D3DFMT_D24S8 ||
           format == D3DFMT_D32;
}

}  // namespace

HRESULT checkDepthStencilCreation(UINT width, UINT height, D3DFORMAT format,
                                  D3DMULTISAMPLE_TYPE multiSample, UINT maxSide) {
    if (width == 0 || height == 0 || width > maxSide || height > maxSide) return D3DERR_INVALIDCALL;
    if (!isOfferedDepthFormat(format) || multiSample != D3DMULTISAMPLE_NONE)
        return D3DERR_INVALIDCALL;
    return D3D_OK;
}

D3DSURFACE_DESC depthStencilDesc(UINT width, UINT height, D3DFORMAT format) {
    D3DSURFACE_DESC desc{};
    desc.Format = format;
    desc.Type = D3DRTYPE_SURFACE;
    desc.Usage = D3DUSAGE_DEPTHSTENCIL;
    desc.Pool = D3DPOOL_DEFAULT;
    desc.Size = width * height * bitsPerPixel(format) / 8;
    desc.MultiSampleType = D3DMULTISAMPLE_NONE;
    desc.Width = width;
    desc.Height = height;
    return desc;
}

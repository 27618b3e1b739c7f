#include "platform/d3d8/gl/gl_format_support.h"

#include "platform/d3d8/format_info.h"
#include "platform/d3d8/texture_levels.h"

namespace {

bool isOfferedDepthFormat(D3DFORMAT format) {
    return format == D3DFMT_D16 || format == D3DFMT_D24X8 || format == D3DFMT_D24S8 ||
           format == D3DFMT_D32;
}

bool isRenderTargetFormat(D3DFORMAT format) {
    return format == D3DFMT_A8R8G8B8 || format == D3DFMT_X8R8G8B8 || format == D3DFMT_R5G6B5;
}

// The texture formats are the ones textures can store.
bool isTextureFormat(D3DFORMAT format) {
    return isStoredTextureFormat(format);
}

bool isColourResource(D3DRESOURCETYPE type) {
    return type == D3DRTYPE_SURFACE || type == D3DRTYPE_TEXTURE;
}

}  // namespace

HRESULT checkGlDeviceType(D3DFORMAT displayFormat, D3DFORMAT backBufferFormat) {
    return backBufferMatchesDisplay(displayFormat, backBufferFormat) ? D3D_OK : D3DERR_NOTAVAILABLE;
}

HRESULT checkGlDeviceFormat(D3DFORMAT adapterFormat, DWORD usage, D3DRESOURCETYPE resourceType,
                            D3DFORMAT checkFormat) {
    if (!isDisplayFormat(adapterFormat)) return D3DERR_NOTAVAILABLE;
    if (usage & D3DUSAGE_DEPTHSTENCIL)
        return resourceType == D3DRTYPE_SURFACE && isOfferedDepthFormat(checkFormat)
                   ? D3D_OK
                   : D3DERR_NOTAVAILABLE;
    if (usage & D3DUSAGE_RENDERTARGET)
        return isColourResource(resourceType) && isRenderTargetFormat(checkFormat)
                   ? D3D_OK
                   : D3DERR_NOTAVAILABLE;
    return isColourResource(resourceType) && isTextureFormat(checkFormat) ? D3D_OK
                                                                          : D3DERR_NOTAVAILABLE;
}

HRESULT checkGlDepthStencilMatch(D3DFORMAT adapterFormat, D3DFORMAT renderTargetFormat,
                                 D3DFORMAT depthStencilFormat) {
    const bool colourTarget =
        isRenderTargetFormat(renderTargetFormat) || isDisplayFormat(renderTargetFormat);
    if (!isDisplayFormat(adapterFormat) || !colourTarget) return D3DERR_NOTAVAILABLE;
    return isOfferedDepthFormat(depthStencilFormat) ? D3D_OK : D3DERR_NOTAVAILABLE;
}

#include "platform/d3d8/present_parameters.h"

#include "platform/d3d8/format_info.h"

namespace {

constexpr UINT MAX_BACK_BUFFERS = 3;
constexpr UINT MAX_BACK_BUFFER_SIZE = 16384;

bool isBackBufferFormat(D3DFORMAT format) {
    return isDisplayFormat(format) || format == D3DFMT_A8R8G8B8 || format == D3DFMT_A1R5G5B5;
}

}  // namespace

bool validBehavior(DWORD behavior) {
    const DWORD processing =
        behavior & (D3DCREATE_SOFTWARE_VERTEXPROCESSING | D3DCREATE_HARDWARE_VERTEXPROCESSING |
                    D3DCREATE_MIXED_VERTEXPROCESSING);
    return processing == D3DCREATE_SOFTWARE_VERTEXPROCESSING ||
           processing == D3DCREATE_HARDWARE_VERTEXPROCESSING ||
           processing == D3DCREATE_MIXED_VERTEXPROCESSING;
}

void completePresentParameters(D3DPRESENT_PARAMETERS& params, D3DFORMAT desktopFormat,
                               UINT windowWidth, UINT windowHeight) {
    if (params.BackBufferCount == 0) params.BackBufferCount = 1;
    if (!params.Windowed) return;
    if (params.BackBufferWidth == 0) params.BackBufferWidth = windowWidth;
    if (params.BackBufferHeight == 0) params.BackBufferHeight = windowHeight;
    if (params.BackBufferFormat == D3DFMT_UNKNOWN) params.BackBufferFormat = desktopFormat;
}

HRESULT checkPresentParameters(const D3DPRESENT_PARAMETERS& params) {
    if (params.BackBufferWidth == 0 || params.BackBufferHeight == 0) return D3DERR_INVALIDCALL;
    if (params.BackBufferWidth > MAX_BACK_BUFFER_SIZE ||
        params.BackBufferHeight > MAX_BACK_BUFFER_SIZE)
        return D3DERR_INVALIDCALL;
    if (params.BackBufferCount > MAX_BACK_BUFFERS) return D3DERR_INVALIDCALL;
    if (!isBackBufferFormat(params.BackBufferFormat)) return D3DERR_INVALIDCALL;
    if (params.SwapEffect < D3DSWAPEFFECT_DISCARD || params.SwapEffect > D3DSWAPEFFECT_COPY_VSYNC)
        return D3DERR_INVALIDCALL;
    if (params.EnableAutoDepthStencil && !isDepthFormat(params.AutoDepthStencilFormat))
        return D3DERR_INVALIDCALL;
    return D3D_OK;
}

D3DPRESENT_PARAMETERS windowedPresentParameters(UINT width, UINT height, D3DFORMAT depthFormat) {
    D3DPRESENT_PARAMETERS params{};
    params.BackBufferWidth = width;
    params.BackBufferHeight = height;
    params.BackBufferFormat = D3DFMT_X8R8G8B8;
    params.BackBufferCount = 1;
    params.SwapEffect = D3DSWAPEFFECT_DISCARD;
    params.Windowed = TRUE;
    params.EnableAutoDepthStencil = depthFormat != D3DFMT_UNKNOWN ? TRUE : FALSE;
    params.AutoDepthStencilFormat = depthFormat;
    return params;
}

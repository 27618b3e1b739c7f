#include "d3dx/texture_fill.h"

#include <cstring>

#include "d3dx/d3dx_texture.h"
#include "platform/d3d8/format_info.h"

namespace {

HRESULT writeLevel(IDirect3DTexture8* texture, UINT level, const std::vector<DWORD>& pixels,
                   UINT width, UINT height) {
    D3DLOCKED_RECT locked{};
    const HRESULT result = texture->LockRect(level, &locked, nullptr, 0);
    if (FAILED(result)) return result;
    for (UINT y = 0; y < height; ++y)
        std::memcpy(static_cast<BYTE*>(locked.pBits) + std::size_t(y) * UINT(locked.Pitch),
                    pixels.data() + std::size_t(y) * width, std::size_t(width) * 4);
    return texture->UnlockRect(level);
}

}  // namespace

ResampleFilter resampleFilter(DWORD filter, ResampleFilter fallback) {
    if (filter == D3DX_DEFAULT) return fallback;
    switch (filter & 0xff) {
        case D3DX_FILTER_NONE:
        case D3DX_FILTER_POINT:
            return ResampleFilter::Point;
        case D3DX_FILTER_BOX:
            return ResampleFilter::Box;
        case D3DX_FILTER_LINEAR:
        case D3DX_FILTER_TRIANGLE:
            return ResampleFilter::Triangle;
        default:
            return fallback;
    }
}

HRESULT fillTextureLevels(IDirect3DTexture8* texture, std::vector<DWORD> pixels,
                          ResampleFilter mipFilter) {
    D3DSURFACE_DESC desc{};
    HRESULT result = texture->GetLevelDesc(0, &desc);
    if (FAILED(result)) return result;
    if (!hasAlpha(desc.Format))
        for (DWORD& pixel : pixels) pixel |= 0xff000000u;
    UINT width = desc.Width, height = desc.Height;
    const DWORD levels = texture->GetLevelCount();
    for (UINT level = 0; level < levels && SUCCEEDED(result); ++level) {
        if (level > 0) {
            texture->GetLevelDesc(level, &desc);
            pixels = resampleImage(pixels, width, height, desc.Width, desc.Height, mipFilter);
            width = desc.Width;
            height = desc.Height;
        }
        result = writeLevel(texture, level, pixels, width, height);
    }
    return result;
}

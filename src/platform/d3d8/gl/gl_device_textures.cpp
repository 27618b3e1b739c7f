// Textures and depth-stencil surfaces on the GL device.
#include "platform/d3d8/depth_surface_info.h"
#include "platform/d3d8/gl/gl_device.h"
#include "platform/d3d8/gl/gl_texture.h"
#include "platform/d3d8/texture_levels.h"

UINT GlDevice::maxTextureSide() {
    D3DCAPS8 caps{};
    GetDeviceCaps(&caps);
    return caps.MaxTextureWidth;
}

HRESULT GlDevice::CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format,
                                D3DPOOL pool, IDirect3DTexture8** texture) {
    if (texture == nullptr) return D3DERR_INVALIDCALL;
    *texture = nullptr;
    TextureShape shape;
    const HRESULT checked =
        checkTextureCreation(width, height, levels, usage, format, pool, maxTextureSide(), shape);
    if (FAILED(checked)) return checked;
    std::size_t* live = pool == D3DPOOL_DEFAULT ? &defaultPoolResources_ : nullptr;
    *texture = GlTexture::create(*this, *context_, live, shape);
    return *texture != nullptr ? D3D_OK : D3DERR_OUTOFVIDEOMEMORY;
}

HRESULT GlDevice::CreateDepthStencilSurface(UINT width, UINT height, D3DFORMAT format,
                                            D3DMULTISAMPLE_TYPE multiSample,
                                            IDirect3DSurface8** surface) {
    if (surface == nullptr) return D3DERR_INVALIDCALL;
    *surface = nullptr;
    const HRESULT checked =
        checkDepthStencilCreation(width, height, format, multiSample, maxTextureSide());
    if (FAILED(checked)) return checked;
    *surface = GlDepthSurface::create(*this, *context_, &defaultPoolResources_,
                                      depthStencilDesc(width, height, format));
    return *surface != nullptr ? D3D_OK : D3DERR_OUTOFVIDEOMEMORY;
}

HRESULT GlDevice::SetTexture(DWORD stage, IDirect3DBaseTexture8* texture) {
    if (stage >= D3D_TEXTURE_STAGE_COUNT) return D3DERR_INVALIDCALL;
    if (texture != nullptr && dynamic_cast<GlTexture*>(texture) == nullptr)
        return D3DERR_INVALIDCALL;  // another device's texture
    if (StateBlock* block = blocks_.recording()) return block->setTexture(stage, texture);
    bound_.bindTexture(stage, texture);
    return D3D_OK;
}

HRESULT GlDevice::GetTexture(DWORD stage, IDirect3DBaseTexture8** texture) {
    if (stage >= D3D_TEXTURE_STAGE_COUNT || texture == nullptr) return D3DERR_INVALIDCALL;
    *texture = bound_.texture(stage);
    if (*texture) (*texture)->AddRef();
    return D3D_OK;
}

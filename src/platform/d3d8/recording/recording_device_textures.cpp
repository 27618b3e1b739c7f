// Textures and depth-stencil surfaces on the recording device.
#include "platform/d3d8/recording/recording_device.h"
#include "platform/d3d8/recording/recording_direct3d.h"
#include "platform/d3d8/recording/recording_texture.h"
#include "platform/d3d8/texture_levels.h"

UINT RecordingDevice::maxTextureSide() const {
    return direct3d_.deviceType(adapter_, type_)->caps.MaxTextureWidth;
}

HRESULT RecordingDevice::CreateTexture(UINT width, UINT height, UINT levels, DWORD usage,
                                       D3DFORMAT format, D3DPOOL pool,
                                       IDirect3DTexture8** texture) {
    const std::initializer_list<double> args{double(width), double(height), double(levels),
                                             double(usage), double(format), double(pool)};
    return recorder_.call("CreateTexture", args, [&] {
        if (texture == nullptr) return D3DERR_INVALIDCALL;
        *texture = nullptr;
        TextureShape shape;
        const HRESULT checked = checkTextureCreation(width, height, levels, usage, format, pool,
                                                     maxTextureSide(), shape);
        if (FAILED(checked)) return checked;
        std::size_t* live = pool == D3DPOOL_DEFAULT ? &defaultPoolResources_ : nullptr;
        *texture = new RecordingTexture(*this, live, shape, bufferRecorder("Texture"),
                                        bufferRecorder("Surface"));
        return D3D_OK;
    });
}

HRESULT RecordingDevice::CreateDepthStencilSurface(UINT width, UINT height, D3DFORMAT format,
                                                   D3DMULTISAMPLE_TYPE multiSample,
                                                   IDirect3DSurface8** surface) {
    const std::initializer_list<double> args{double(width), double(height), double(format),
                                             double(multiSample)};
    return recorder_.call("CreateDepthStencilSurface", args, [&] {
        if (surface == nullptr) return D3DERR_INVALIDCALL;
        *surface = nullptr;
        const HRESULT checked =
            checkDepthStencilCreation(width, height, format, multiSample, maxTextureSide());
        if (FAILED(checked)) return checked;
        *surface = new RecordingDepthSurface(bufferRecorder("Surface"),
                                             depthStencilDesc(width, height, format), *this,
                                             &defaultPoolResources_);
        return D3D_OK;
    });
}

HRESULT RecordingDevice::SetTexture(DWORD stage, IDirect3DBaseTexture8* texture) {
    return recorder_.call("SetTexture", {double(stage), address(texture)}, [&] {
        if (stage >= D3D_TEXTURE_STAGE_COUNT) return D3DERR_INVALIDCALL;
        if (StateBlock* block = blocks_.recording()) return block->setTexture(stage, texture);
        bound_.bindTexture(stage, texture);
        return D3D_OK;
    });
}

HRESULT RecordingDevice::GetTexture(DWORD stage, IDirect3DBaseTexture8** texture) {
    return recorder_.call("GetTexture", {double(stage)}, [&] {
        if (stage >= D3D_TEXTURE_STAGE_COUNT || texture == nullptr) return D3DERR_INVALIDCALL;
        *texture = bound_.texture(stage);
        if (*texture) (*texture)->AddRef();
        return D3D_OK;
    });
}

// Render targets and depth-stencil surfaces on the recording device. A
// Clear fills the current target's pixels: the back buffer, or the level of
// a texture made to be rendered to.
#include "platform/d3d8/format_info.h"
#include "platform/d3d8/recording/recording_device.h"
#include "platform/d3d8/recording/recording_surface.h"
#include "platform/d3d8/recording/recording_texture.h"
#include "platform/d3d8/surface_info.h"

namespace {

RecordingTextureSurface* textureSurface(IDirect3DSurface8* surface) {
    return dynamic_cast<RecordingTextureSurface*>(surface);
}

// The size and format of a depth-stencil surface the device can use.
const D3DSURFACE_DESC* depthDesc(IDirect3DSurface8* surface) {
    if (auto* made = dynamic_cast<RecordingDepthSurface*>(surface)) return &made->desc();
    if (auto* automatic = dynamic_cast<RecordingAutoDepthSurface*>(surface))
        return &automatic->desc();
    return nullptr;
}

D3DSURFACE_DESC targetDesc(IDirect3DSurface8* target, const D3DPRESENT_PARAMETERS& params) {
    if (RecordingTextureSurface* surface = textureSurface(target))
        return surface->texture().levels().desc(surface->level());
    return backBufferDesc(params);
}

}  // namespace

D3DSURFACE_DESC RecordingDevice::renderTargetDesc() const {
    return targetDesc(bound_.renderTarget(), params_);
}

bool RecordingDevice::depthHasStencil() const {
    const D3DSURFACE_DESC* desc = depthDesc(bound_.depthStencil());
    return desc != nullptr && hasStencil(desc->Format);
}

void RecordingDevice::fillTarget(const D3DRECT& rect, D3DCOLOR color) {
    if (RecordingTextureSurface* surface = textureSurface(bound_.renderTarget()))
        surface->texture().fill(surface->level(), rect, color);
    else
        fill(rect, color);
}

HRESULT RecordingDevice::SetRenderTarget(IDirect3DSurface8* renderTarget,
                                         IDirect3DSurface8* depthStencil) {
    return recorder_.call("SetRenderTarget", {address(renderTarget), address(depthStencil)},
                          [&] { return setRenderTarget(renderTarget, depthStencil); });
}

// Only the back buffer and levels of render-target textures can be drawn
// to, and only with a depth-stencil surface at least as large.
HRESULT RecordingDevice::setRenderTarget(IDirect3DSurface8* renderTarget,
                                         IDirect3DSurface8* depthStencil) {
    IDirect3DSurface8* target = renderTarget ? renderTarget : bound_.renderTarget();
    RecordingTextureSurface* surface = textureSurface(target);
    if (surface == nullptr && target != backBuffer_.get()) return D3DERR_INVALIDCALL;
    if (surface && !(surface->texture().levels().shape().usage & D3DUSAGE_RENDERTARGET))
        return D3DERR_INVALIDCALL;
    const D3DSURFACE_DESC* depth = depthDesc(depthStencil);
    if (depthStencil != nullptr && depth == nullptr) return D3DERR_INVALIDCALL;
    const D3DSURFACE_DESC desc = targetDesc(target, params_);
    if (depth && (depth->Width < desc.Width || depth->Height < desc.Height))
        return D3DERR_INVALIDCALL;
    bound_.bindRenderTarget(target);
    bound_.bindDepthStencil(depthStencil);
    state_.viewport = {0, 0, desc.Width, desc.Height, 0.0f, 1.0f};
    state_.markDirty(StateGroup::Viewport);
    return D3D_OK;
}

HRESULT RecordingDevice::GetRenderTarget(IDirect3DSurface8** renderTarget) {
    return recorder_.call("GetRenderTarget", {}, [&] {
        if (renderTarget == nullptr) return D3DERR_INVALIDCALL;
        *renderTarget = bound_.renderTarget();
        (*renderTarget)->AddRef();
        return D3D_OK;
    });
}

HRESULT RecordingDevice::GetDepthStencilSurface(IDirect3DSurface8** depthStencil) {
    return recorder_.call("GetDepthStencilSurface", {}, [&] {
        if (depthStencil == nullptr) return D3DERR_INVALIDCALL;
        *depthStencil = bound_.depthStencil();
        if (*depthStencil == nullptr) return D3DERR_NOTFOUND;
        (*depthStencil)->AddRef();
        return D3D_OK;
    });
}

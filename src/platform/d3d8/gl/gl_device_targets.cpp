// Render targets and depth-stencil surfaces on the GL device.
#include "platform/d3d8/format_info.h"
#include "platform/d3d8/gl/gl_device.h"
#include "platform/d3d8/gl/gl_surface.h"
#include "platform/d3d8/gl/gl_texture.h"
#include "platform/d3d8/surface_info.h"

namespace {

GlTextureSurface* textureSurface(IDirect3DSurface8* surface) {
    return dynamic_cast<GlTextureSurface*>(surface);
}

bool isDepthSurface(IDirect3DSurface8* surface) {
    return dynamic_cast<GlDepthSurface*>(surface) != nullptr ||
           dynamic_cast<GlAutoDepthSurface*>(surface) != nullptr;
}

D3DSURFACE_DESC targetDesc(IDirect3DSurface8* target, const D3DPRESENT_PARAMETERS& params) {
    if (GlTextureSurface* surface = textureSurface(target))
        return surface->texture().levels().desc(surface->level());
    return backBufferDesc(params);
}

}  // namespace

D3DSURFACE_DESC GlDevice::renderTargetDesc() const {
    return targetDesc(bound_.renderTarget(), params_);
}

bool GlDevice::depthHasStencil() const {
    const GlAttachable* depth = glAttachable(bound_.depthStencil());
    return depth != nullptr && depth->glAttachment().stencil;
}

void GlDevice::bindTarget() {
    pipeline_->bindTarget(bound_, *backBuffer_);
}

void GlDevice::restoreOwnTargets() {
    bound_.unbindAll(backBufferSurface_.get(), autoDepth_.get());
    pipeline_->targetsChanged();
}

HRESULT GlDevice::checkResettable() {
    if (backBufferSurface_->references() > 0) return D3DERR_INVALIDCALL;  // still held
    if (autoDepth_ && autoDepth_->references() > 0) return D3DERR_INVALIDCALL;
    restoreOwnTargets();
    // Direct3D resets only when no default-pool resource is left.
    return defaultPoolResources_ == 0 ? D3D_OK : D3DERR_INVALIDCALL;
}

// Only the back buffer and levels of render-target textures can be drawn
// to, and only with a depth-stencil surface at least as large.
HRESULT GlDevice::SetRenderTarget(IDirect3DSurface8* renderTarget,
                                  IDirect3DSurface8* depthStencil) {
    IDirect3DSurface8* target = renderTarget ? renderTarget : bound_.renderTarget();
    GlTextureSurface* surface = textureSurface(target);
    if (surface == nullptr && target != backBufferSurface_.get()) return D3DERR_INVALIDCALL;
    if (surface && !surface->texture().isRenderTarget()) return D3DERR_INVALIDCALL;
    if (depthStencil != nullptr && !isDepthSurface(depthStencil)) return D3DERR_INVALIDCALL;
    const D3DSURFACE_DESC desc = targetDesc(target, params_);
    if (depthStencil) {
        const GlAttachment depth = glAttachable(depthStencil)->glAttachment();
        if (depth.width < desc.Width || depth.height < desc.Height) return D3DERR_INVALIDCALL;
    }
    bound_.bindRenderTarget(target);
    bound_.bindDepthStencil(depthStencil);
    pipeline_->targetsChanged();
    state_.viewport = {0, 0, desc.Width, desc.Height, 0.0f, 1.0f};
    state_.markDirty(StateGroup::Viewport);
    return D3D_OK;
}

HRESULT GlDevice::GetRenderTarget(IDirect3DSurface8** renderTarget) {
    if (renderTarget == nullptr) return D3DERR_INVALIDCALL;
    *renderTarget = bound_.renderTarget();
    (*renderTarget)->AddRef();
    return D3D_OK;
}

HRESULT GlDevice::GetDepthStencilSurface(IDirect3DSurface8** depthStencil) {
    if (depthStencil == nullptr) return D3DERR_INVALIDCALL;
    *depthStencil = bound_.depthStencil();
    if (*depthStencil == nullptr) return D3DERR_NOTFOUND;
    (*depthStencil)->AddRef();
    return D3D_OK;
}

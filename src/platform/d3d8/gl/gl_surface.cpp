#include "platform/d3d8/gl/gl_surface.h"

#include "platform/d3d8/format_info.h"
#include "platform/d3d8/gl/gl_device.h"
#include "platform/d3d8/surface_info.h"

GlSurface::GlSurface(GlDevice& device) : DeviceChild(device), owner_(device) {}

GlAttachment GlSurface::glAttachment() const {
    const Framebuffer& target = owner_.backBuffer();
    GlAttachment attachment;
    attachment.texture = target.colourTexture();
    attachment.width = target.width();
    attachment.height = target.height();
    return attachment;
}

HRESULT GlSurface::GetDesc(D3DSURFACE_DESC* desc) {
    if (desc == nullptr) return D3DERR_INVALIDCALL;
    *desc = backBufferDesc(owner_.presentParameters());
    return D3D_OK;
}

HRESULT GlSurface::LockRect(D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) {
    const D3DPRESENT_PARAMETERS& params = owner_.presentParameters();
    RECT area;
    if (locked == nullptr || locked_ ||
        !resolveLockRect(rect, params.BackBufferWidth, params.BackBufferHeight, area))
        return D3DERR_INVALIDCALL;
    lockedPixels_ = owner_.readBackBuffer(area);
    if (!hasAlpha(params.BackBufferFormat))
        for (DWORD& pixel : lockedPixels_) pixel |= 0xff000000u;
    locked->Pitch = INT((area.right - area.left) * 4);
    locked->pBits = lockedPixels_.data();
    locked_ = true;
    return D3D_OK;
}

HRESULT GlSurface::UnlockRect() {
    if (!locked_) return D3DERR_INVALIDCALL;
    locked_ = false;
    lockedPixels_.clear();
    return D3D_OK;
}

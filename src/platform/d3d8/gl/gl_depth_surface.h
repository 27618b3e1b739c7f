// Depth-stencil surfaces of the GL backend: one made by
// CreateDepthStencilSurface (a renderbuffer of its own), or the automatic
// one of the back buffer, which the device owns. Neither can be locked.
#pragma once

#include <utility>

#include "platform/d3d8/d3d8.h"
#include "platform/d3d8/depth_surface_info.h"
#include "platform/d3d8/device_resource.h"
#include "platform/d3d8/gl/gl_attachment.h"
#include "platform/d3d8/ref_counted.h"

class GlContext;
class GlDevice;

class GlDepthSurface final : public DeviceResource<IDirect3DSurface8>, public GlAttachable {
  public:
    // Null when GL cannot make the renderbuffer.
    static GlDepthSurface* create(IDirect3DDevice8& device, GlContext& context, std::size_t* live,
                                  const D3DSURFACE_DESC& desc);
    ~GlDepthSurface() override;

    GlAttachment glAttachment() const override;
    HRESULT GetDesc(D3DSURFACE_DESC* desc) override;
    HRESULT LockRect(D3DLOCKED_RECT*, const RECT*, DWORD) override { return D3DERR_INVALIDCALL; }
    HRESULT UnlockRect() override { return D3DERR_INVALIDCALL; }

  private:
    GlDepthSurface(IDirect3DDevice8& device, GlContext& context, std::size_t* live,
                   const D3DSURFACE_DESC& desc);

    GlContext& context_;
    D3DSURFACE_DESC desc_;
    GLuint renderbuffer_ = 0;
};

// The back buffer's depth buffer, as the device's current one after
// creation and Reset.
class GlAutoDepthSurface final : public DeviceChild<IDirect3DSurface8>, public GlAttachable {
  public:
    explicit GlAutoDepthSurface(GlDevice& device);

    GlAttachment glAttachment() const override;
    HRESULT GetDesc(D3DSURFACE_DESC* desc) override;
    HRESULT LockRect(D3DLOCKED_RECT*, const RECT*, DWORD) override { return D3DERR_INVALIDCALL; }
    HRESULT UnlockRect() override { return D3DERR_INVALIDCALL; }

  private:
    GlDevice& owner_;
};

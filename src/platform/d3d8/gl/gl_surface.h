// The back buffer of a GL device as a Direct3D surface.
#pragma once

#include <vector>

#include "platform/d3d8/d3d8.h"
#include "platform/d3d8/gl/gl_attachment.h"
#include "platform/d3d8/ref_counted.h"

class GlDevice;

class GlSurface : public DeviceChild<IDirect3DSurface8>, public GlAttachable {
  public:
    explicit GlSurface(GlDevice& device);

    GlAttachment glAttachment() const override;

    HRESULT GetDesc(D3DSURFACE_DESC* desc) override;
    // Reads the pixels back as A8R8G8B8, top row first; formats without
    // alpha read as opaque.
    HRESULT LockRect(D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) override;
    HRESULT UnlockRect() override;

  private:
    GlDevice& owner_;
    std::vector<DWORD> lockedPixels_;
    bool locked_ = false;
};

// The Direct3D object of the GL backend; Direct3DCreate8 gives none when SDL
// has no video driver or the driver has no GL. Adapters are SDL's displays; the
// HAL device is the GL driver. The REF device is reported with reference
// caps (no hardware transform or rasterisation) and created on the same GL
// driver: the software rasteriser is chosen by the environment (for Mesa,
// LIBGL_ALWAYS_SOFTWARE=1), not per device.
#pragma once

#include <vector>

#include "platform/d3d8/d3d8.h"
#include "platform/d3d8/gl/gl_adapters.h"
#include "platform/d3d8/ref_counted.h"

class GlDirect3D : public RefCounted<IDirect3D8> {
  public:
    explicit GlDirect3D(std::vector<GlAdapter> adapters);
    ~GlDirect3D() override;

    UINT GetAdapterCount() override;
    HRESULT GetAdapterIdentifier(UINT adapter, DWORD flags,
                                 D3DADAPTER_IDENTIFIER8* identifier) override;
    UINT GetAdapterModeCount(UINT adapter) override;
    HRESULT EnumAdapterModes(UINT adapter, UINT mode, D3DDISPLAYMODE* out) override;
    HRESULT GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* out) override;
    HRESULT CheckDeviceType(UINT adapter, D3DDEVTYPE type, D3DFORMAT displayFormat,
                            D3DFORMAT backBufferFormat, BOOL windowed) override;
    HRESULT CheckDeviceFormat(UINT adapter, D3DDEVTYPE type, D3DFORMAT adapterFormat, DWORD usage,
                              D3DRESOURCETYPE resourceType, D3DFORMAT checkFormat) override;
    HRESULT CheckDepthStencilMatch(UINT adapter, D3DDEVTYPE type, D3DFORMAT adapterFormat,
                                   D3DFORMAT renderTargetFormat,
                                   D3DFORMAT depthStencilFormat) override;
    HRESULT GetDeviceCaps(UINT adapter, D3DDEVTYPE type, D3DCAPS8* caps) override;
    HRESULT CreateDevice(UINT adapter, D3DDEVTYPE type, HWND focusWindow, DWORD behavior,
                         D3DPRESENT_PARAMETERS* params, IDirect3DDevice8** device) override;

  private:
    // D3D_OK for an existing adapter and a HAL or REF device type.
    HRESULT checkDevice(UINT adapter, D3DDEVTYPE type) const;

    std::vector<GlAdapter> adapters_;
};

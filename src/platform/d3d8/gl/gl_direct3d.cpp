#include "platform/d3d8/gl/gl_direct3d.h"

#include "platform/d3d8/adapter_identifier.h"
#include "platform/d3d8/gl/gl_device.h"
#include "platform/d3d8/gl/gl_format_support.h"
#include "platform/d3d8/standard_caps.h"

IDirect3D8* Direct3DCreate8(UINT sdkVersion) {
    if (sdkVersion != D3D_SDK_VERSION) return nullptr;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return nullptr;  // no display to be had
    if (SDL_GL_LoadLibrary(nullptr) != 0) {                      // a video driver without GL
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return nullptr;
    }
    return new GlDirect3D(enumerateAdapters());
}

GlDirect3D::GlDirect3D(std::vector<GlAdapter> adapters) : adapters_(std::move(adapters)) {}

GlDirect3D::~GlDirect3D() {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

HRESULT GlDirect3D::checkDevice(UINT adapter, D3DDEVTYPE type) const {
    if (adapter >= adapters_.size()) return D3DERR_INVALIDCALL;
    return type == D3DDEVTYPE_HAL || type == D3DDEVTYPE_REF ? D3D_OK : D3DERR_NOTAVAILABLE;
}

UINT GlDirect3D::GetAdapterCount() {
    return UINT(adapters_.size());
}

HRESULT GlDirect3D::GetAdapterIdentifier(UINT adapter, DWORD flags,
                                         D3DADAPTER_IDENTIFIER8* identifier) {
    if (adapter >= adapters_.size() || identifier == nullptr) return D3DERR_INVALIDCALL;
    *identifier = adapterIdentifier("OpenGL", adapters_[adapter].name);
    return D3D_OK;
}

UINT GlDirect3D::GetAdapterModeCount(UINT adapter) {
    return adapter < adapters_.size() ? UINT(adapters_[adapter].modes.size()) : 0;
}

HRESULT GlDirect3D::EnumAdapterModes(UINT adapter, UINT mode, D3DDISPLAYMODE* out) {
    if (adapter >= adapters_.size() || out == nullptr || mode >= adapters_[adapter].modes.size())
        return D3DERR_INVALIDCALL;
    *out = adapters_[adapter].modes[mode];
    return D3D_OK;
}

HRESULT GlDirect3D::GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* out) {
    if (adapter >= adapters_.size() || out == nullptr) return D3DERR_INVALIDCALL;
    return desktopMode(adapters_[adapter].display, *out) ? D3D_OK : D3DERR_NOTAVAILABLE;
}

HRESULT GlDirect3D::CheckDeviceType(UINT adapter, D3DDEVTYPE type, D3DFORMAT displayFormat,
                                    D3DFORMAT backBufferFormat, BOOL windowed) {
    const HRESULT device = checkDevice(adapter, type);
    return FAILED(device) ? device : checkGlDeviceType(displayFormat, backBufferFormat);
}

HRESULT GlDirect3D::CheckDeviceFormat(UINT adapter, D3DDEVTYPE type, D3DFORMAT adapterFormat,
                                      DWORD usage, D3DRESOURCETYPE resourceType,
                                      D3DFORMAT checkFormat) {
    const HRESULT device = checkDevice(adapter, type);
    return FAILED(device) ? device
                          : checkGlDeviceFormat(adapterFormat, usage, resourceType, checkFormat);
}

HRESULT GlDirect3D::CheckDepthStencilMatch(UINT adapter, D3DDEVTYPE type, D3DFORMAT adapterFormat,
                                           D3DFORMAT renderTargetFormat,
                                           D3DFORMAT depthStencilFormat) {
    const HRESULT device = checkDevice(adapter, type);
    return FAILED(device)
               ? device
               : checkGlDepthStencilMatch(adapterFormat, renderTargetFormat, depthStencilFormat);
}

HRESULT GlDirect3D::GetDeviceCaps(UINT adapter, D3DDEVTYPE type, D3DCAPS8* caps) {
    const HRESULT device = checkDevice(adapter, type);
    if (FAILED(device)) return device;
    if (caps == nullptr) return D3DERR_INVALIDCALL;
    *caps = standardCaps(type, adapter);
    return D3D_OK;
}

HRESULT GlDirect3D::CreateDevice(UINT adapter, D3DDEVTYPE type, HWND focusWindow, DWORD behavior,
                                 D3DPRESENT_PARAMETERS* params, IDirect3DDevice8** device) {
    if (device == nullptr || params == nullptr) return D3DERR_INVALIDCALL;
    *device = nullptr;
    const HRESULT checked = checkDevice(adapter, type);
    if (FAILED(checked)) return checked;
    D3DDISPLAYMODE desktop{};
    if (!desktopMode(adapters_[adapter].display, desktop)) return D3DERR_NOTAVAILABLE;
    GlDeviceSetup setup{*this, adapter, type, behavior, desktop};
    return GlDevice::create(setup, focusWindow, *params, device);
}

// The Direct3D object of the recording backend: answers from a
// RecordingConfig and logs every call (object "Direct3D").
#pragma once

#include "platform/d3d8/d3d8.h"
#include "platform/d3d8/recording/call_log.h"
#include "platform/d3d8/recording/recorder.h"
#include "platform/d3d8/recording/recording_config.h"
#include "platform/d3d8/ref_counted.h"

// A new recording Direct3D object (one reference). The log must outlive it
// and every device made from it.
IDirect3D8* createRecordingDirect3D(const RecordingConfig& config, CallLog& log);

class RecordingDirect3D : public RefCounted<IDirect3D8> {
  public:
    RecordingDirect3D(const RecordingConfig& config, CallLog& log);

    const RecordingConfig& config() const { return config_; }
    CallLog& log() { return recorder_.log(); }
    // Null when the adapter or device type does not exist.
    const RecordingAdapter* adapter(UINT adapter) const;
    const RecordingDeviceType* deviceType(UINT adapter, D3DDEVTYPE type) const;

    ULONG AddRef() override;
    ULONG Release() override;
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
    // Logged arguments: adapter, type, focus window, behaviour, then the
    // thirteen fields of the presentation parameters.
    HRESULT CreateDevice(UINT adapter, D3DDEVTYPE type, HWND focusWindow, DWORD behavior,
                         D3DPRESENT_PARAMETERS* params, IDirect3DDevice8** device) override;

  private:
    HRESULT createDevice(UINT adapter, D3DDEVTYPE type, HWND focusWindow, DWORD behavior,
                         D3DPRESENT_PARAMETERS* params, IDirect3DDevice8** device);

    RecordingConfig config_;
    Recorder recorder_;
};

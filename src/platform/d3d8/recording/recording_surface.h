// The back buffer of a recording device (object "Surface").
#pragma once

#include <vector>

#include "platform/d3d8/d3d8.h"
#include "platform/d3d8/recording/recorder.h"
#include "platform/d3d8/ref_counted.h"

class RecordingDevice;

class RecordingSurface : public DeviceChild<IDirect3DSurface8> {
  public:
    RecordingSurface(RecordingDevice& device, Recorder recorder);

    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT GetDesc(D3DSURFACE_DESC* desc) override;
    // Copies the device's back buffer (A8R8G8B8, top row first), or zeros
    // when the device keeps no pixels.
    // Logged arguments: the rectangle's left, top, right, bottom when given, then the flags.
    HRESULT LockRect(D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) override;
    HRESULT UnlockRect() override;

  private:
    HRESULT lock(D3DLOCKED_RECT* locked, const RECT* rect);

    RecordingDevice& owner_;
    Recorder recorder_;
    std::vector<DWORD> lockedPixels_;
    bool locked_ = false;
};

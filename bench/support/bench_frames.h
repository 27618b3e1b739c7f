// What the GL benchmarks share: a frame is finished by reading one pixel of
// the back buffer, so that the driver's work counts in the frame's time.
#pragma once

#include "platform/d3d8/d3d8.h"

inline void finishFrame(IDirect3DDevice8& device) {
    IDirect3DSurface8* backBuffer = nullptr;
    if (FAILED(device.GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &backBuffer))) return;
    const RECT pixel{20, 5, 21, 6};
    D3DLOCKED_RECT locked{};
    backBuffer->LockRect(&locked, &pixel, D3DLOCK_READONLY);
    backBuffer->UnlockRect();
    backBuffer->Release();
}

// Writes one 32-bit texture level a row at a time, top row first, locking a
// strip of rows at a time: a backend that hands out a copy for a lock (and
// sends it on at the unlock) then never copies more than a strip.
#pragma once

#include "platform/d3d8/d3d8.h"

class LevelRowWriter {
  public:
    LevelRowWriter(IDirect3DTexture8* texture, UINT level, UINT width, UINT height);
    ~LevelRowWriter();  // unlocks a strip left locked by a failure
    LevelRowWriter(const LevelRowWriter&) = delete;
    LevelRowWriter& operator=(const LevelRowWriter&) = delete;

    // The next row: `width` A8R8G8B8 pixels. The lock's or unlock's failure,
    // or D3DERR_INVALIDCALL when a locked row cannot hold the pixels.
    HRESULT write(const DWORD* row);
    bool complete() const { return next_ == height_; }

  private:
    HRESULT lockStrip();
    HRESULT unlockStrip();

    IDirect3DTexture8* texture_;
    UINT level_;
    UINT width_;
    UINT height_;
    UINT stripRows_;
    UINT next_ = 0;
    bool stripLocked_ = false;
    UINT stripTop_ = 0;
    UINT stripEnd_ = 0;  // one past the strip's last row
    D3DLOCKED_RECT strip_{};
};

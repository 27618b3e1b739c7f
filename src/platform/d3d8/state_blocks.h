// The state blocks of a device, by token: BeginStateBlock starts a block
// that the recordable setters fill instead of the device's state, and
// EndStateBlock files it under a new token (never 0 and never 0xFFFFFFFF,
// which Direct3D holds invalid). Shared by both backends.
#pragma once

#include <map>
#include <memory>

#include "platform/d3d8/state_block.h"

class StateBlocks {
  public:
    // D3DERR_INVALIDCALL while a block is being recorded already.
    HRESULT begin();
    // D3DERR_INVALIDCALL when no block is being recorded or token is null.
    HRESULT end(DWORD* token);
    // The block being recorded, or null.
    StateBlock* recording() const { return recording_.get(); }

    // D3DERR_INVALIDCALL for an unknown token or while recording.
    HRESULT apply(DWORD token, DeviceState& state, BoundResources& bound, UINT targetWidth,
                  UINT targetHeight) const;
    HRESULT capture(DWORD token, const DeviceState& state, const BoundResources& bound);
    HRESULT remove(DWORD token);
    // Every block goes, the one being recorded too (the device is going).
    void clear();

  private:
    StateBlock* find(DWORD token) const;

    std::map<DWORD, std::unique_ptr<StateBlock>> blocks_;
    std::unique_ptr<StateBlock> recording_;
    DWORD nextToken_ = 1;
};

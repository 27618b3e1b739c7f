#include "platform/d3d8/state_blocks.h"

HRESULT StateBlocks::begin() {
    if (recording_) return D3DERR_INVALIDCALL;
    recording_ = std::make_unique<StateBlock>();
    return D3D_OK;
}

HRESULT StateBlocks::end(DWORD* token) {
    if (!recording_ || token == nullptr) return D3DERR_INVALIDCALL;
    while (nextToken_ == 0 || nextToken_ == 0xFFFFFFFF || blocks_.count(nextToken_)) ++nextToken_;
    *token = nextToken_++;
    blocks_[*token] = std::move(recording_);
    return D3D_OK;
}

StateBlock* StateBlocks::find(DWORD token) const {
    const auto found = blocks_.find(token);
    return found == blocks_.end() ? nullptr : found->second.get();
}

HRESULT StateBlocks::apply(DWORD token, DeviceState& state, BoundResources& bound, UINT targetWidth,
                           UINT targetHeight) const {
    const StateBlock* block = find(token);
    if (block == nullptr || recording_) return D3DERR_INVALIDCALL;
    block->applyTo(state, bound, targetWidth, targetHeight);
    return D3D_OK;
}

HRESULT StateBlocks::capture(DWORD token, const DeviceState& state, const BoundResources& bound) {
    StateBlock* block = find(token);
    if (block == nullptr || recording_) return D3DERR_INVALIDCALL;
    block->captureFrom(state, bound);
    return D3D_OK;
}

HRESULT StateBlocks::remove(DWORD token) {
    return blocks_.erase(token) > 0 ? D3D_OK : D3DERR_INVALIDCALL;
}

void StateBlocks::clear() {
    blocks_.clear();
    recording_.reset();
}

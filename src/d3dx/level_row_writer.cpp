#include "d3dx/level_row_writer.h"

#include <algorithm>
#include <cstring>

namespace {

// About a megabyte of pixels a strip, and at least one row.
constexpr std::size_t STRIP_BYTES = 1024 * 1024;

}  // namespace

LevelRowWriter::LevelRowWriter(IDirect3DTexture8* texture, UINT level, UINT width, UINT height)
    : texture_(texture),
      level_(level),
      width_(width),
      height_(height),
      stripRows_(UINT(std::max<std::size_t>(1, STRIP_BYTES / (std::size_t(width) * 4)))) {}

LevelRowWriter::~LevelRowWriter() {
    if (stripLocked_) texture_->UnlockRect(level_);
}

HRESULT LevelRowWriter::write(const DWORD* row) {
    if (next_ >= height_) return D3DERR_INVALIDCALL;
    if (!stripLocked_) {
        const HRESULT locked = lockStrip();
        if (FAILED(locked)) return locked;
    }
    std::memcpy(
        static_cast<BYTE*>(strip_.pBits) + std::size_t(next_ - stripTop_) * UINT(strip_.Pitch), row,
        std::size_t(width_) * 4);
    ++next_;
    return next_ == stripEnd_ ? unlockStrip() : D3D_OK;
}

HRESULT LevelRowWriter::lockStrip() {
    const UINT end = std::min(next_ + stripRows_, height_);
    const RECT strip{0, LONG(next_), LONG(width_), LONG(end)};
    const HRESULT locked = texture_->LockRect(level_, &strip_, &strip, 0);
    if (FAILED(locked)) return locked;
    stripLocked_ = true;
    stripTop_ = next_;
    stripEnd_ = end;
    if (strip_.Pitch < INT(width_ * 4)) return D3DERR_INVALIDCALL;
    return D3D_OK;
}

HRESULT LevelRowWriter::unlockStrip() {
    stripLocked_ = false;
    return texture_->UnlockRect(level_);
}

#include "media/texture_images.h"

namespace {

void mergeLevel(const D3DLOCKED_RECT& colour, const D3DLOCKED_RECT& alpha, UINT height) {
    for (UINT y = 0; y < height; ++y) {
        auto* c = reinterpret_cast<DWORD*>(static_cast<BYTE*>(colour.pBits) +
                                           std::size_t(y) * UINT(colour.Pitch));
        const auto* a = reinterpret_cast<const DWORD*>(static_cast<const BYTE*>(alpha.pBits) +
                                                       std::size_t(y) * UINT(alpha.Pitch));
        for (UINT x = 0; x < UINT(colour.Pitch) / 4; ++x)
            c[x] = (c[x] & 0x00ffffffu) | (a[x] << 24);
    }
}

bool sameShape(const D3DSURFACE_DESC& a, const D3DSURFACE_DESC& b) {
    return a.Width == b.Width && a.Height == b.Height && a.Format == b.Format;
}

}  // namespace

// The locked bytes are walked as 32-bit pixels row by row, padding included,
// as far as the colour level's pitch reaches; the alpha level must be as
// wide.
void mergeAlpha(IDirect3DTexture8* colour, IDirect3DTexture8* alpha) {
    const DWORD levels = colour->GetLevelCount();
    for (UINT level = 0; level < levels; ++level) {
        D3DSURFACE_DESC colourDesc{}, alphaDesc{};
        colour->GetLevelDesc(level, &colourDesc);
        if (FAILED(alpha->GetLevelDesc(level, &alphaDesc)) || !sameShape(colourDesc, alphaDesc))
            return;
        D3DLOCKED_RECT colourBits{}, alphaBits{};
        if (FAILED(colour->LockRect(level, &colourBits, nullptr, 0))) return;
        if (FAILED(alpha->LockRect(level, &alphaBits, nullptr, 0))) {
            colour->UnlockRect(level);
            return;
        }
        if (alphaBits.Pitch >= colourBits.Pitch)
            mergeLevel(colourBits, alphaBits, colourDesc.Height);
        alpha->UnlockRect(level);
        colour->UnlockRect(level);
    }
}

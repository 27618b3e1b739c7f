// The steps the texture store builds its textures with: an image from the
// production's data, the alpha of one texture taken from another, and the
// empty render target of a capture texture.
#pragma once

#include <string>

#include "d3dx/d3dx_texture.h"
#include "platform/d3d8/d3d8.h"

// A size the loaded image is rescaled to; none keeps the image's own.
struct FixedSize {
    UINT width = 0;
    UINT height = 0;
};

// Loads the image `name` from data/ (unpacked mode) or the archive (packed
// mode) as a managed A8R8G8B8 texture with a full mip chain. Without a fixed
// size `info` receives the source image's description. On failure prints
// "Failed to unpack %s\n" (packed mode, no such entry) or "Failed to load
// texture %s\n" and returns false.
bool loadTextureImage(IDirect3DDevice8* device, const std::string& name, const FixedSize* size,
                      IDirect3DTexture8** texture, D3DXIMAGE_INFO* info);

// For every level of `colour`: its alpha becomes the lowest byte (blue) of
// the pixel at the same place in `alpha`, whose levels have the same sizes.
// Levels that differ in size or cannot be locked are left as they are.
void mergeAlpha(IDirect3DTexture8* colour, IDirect3DTexture8* alpha);

// An A8R8G8B8 render-target texture of one level in the default pool, if
// the device can render to that format on its current display mode.
bool createRenderTexture(IDirect3DDevice8* device, UINT width, UINT height,
                         IDirect3DTexture8** texture);

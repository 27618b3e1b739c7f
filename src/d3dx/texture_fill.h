// Filling a 32-bit texture from an image: level 0 from the image (rescaled
// when the sizes differ), each further level made from the one above it.
// The levels are made and written a row at a time as the rows above come
// in, so that no level is ever held whole beside the image and the texture.
#pragma once

#include "d3dx/image_resample.h"
#include "platform/d3d8/d3d8.h"

// Pixels of an image: width × height A8R8G8B8, rows top first, no padding.
struct ImagePixels {
    const DWORD* pixels = nullptr;
    UINT width = 0;
    UINT height = 0;
};

// Level 0 is the image rescaled with `filter` to the level's size; formats
// without alpha get opaque pixels. Every further level is made from the
// level above with `mipFilter`.
HRESULT fillTextureLevels(IDirect3DTexture8* texture, const ImagePixels& image,
                          ResampleFilter filter, ResampleFilter mipFilter);

// The filter a D3DX_FILTER_* argument asks for (its low byte); D3DX_DEFAULT
// gives `fallback`.
ResampleFilter resampleFilter(DWORD filter, ResampleFilter fallback);

// Filling a 32-bit texture from an image: level 0 from the pixels, and
// each further level made from the one above it.
#pragma once

#include <vector>

#include "d3dx/image_resample.h"
#include "platform/d3d8/d3d8.h"

// `pixels` has the size of level 0. Formats without alpha get opaque pixels.
HRESULT fillTextureLevels(IDirect3DTexture8* texture, std::vector<DWORD> pixels,
                          ResampleFilter mipFilter);

// The filter a D3DX_FILTER_* argument asks for (its low byte); D3DX_DEFAULT
// gives `fallback`.
ResampleFilter resampleFilter(DWORD filter, ResampleFilter fallback);

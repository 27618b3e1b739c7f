// What the layer knows about Direct3D formats, independent of any backend.
#pragma once

#include "platform/d3d8/d3d8types.h"

// Bits per pixel (4 for DXT1), 0 for an unknown format.
unsigned bitsPerPixel(D3DFORMAT format);

bool isDepthFormat(D3DFORMAT format);
bool hasStencil(D3DFORMAT format);
// Whether the format stores alpha (X formats do not).
bool hasAlpha(D3DFORMAT format);

// Formats a display (desktop or full-screen mode) can run in.
bool isDisplayFormat(D3DFORMAT format);
// A back buffer in the display's own format, or with alpha on a 32-bit display.
bool backBufferMatchesDisplay(D3DFORMAT displayFormat, D3DFORMAT backBufferFormat);

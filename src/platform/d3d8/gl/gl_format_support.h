// Which formats the GL backend offers, for the Direct3D object's Check* calls.
#pragma once

#include "platform/d3d8/d3d8types.h"

// A display format with a matching back buffer.
HRESULT checkGlDeviceType(D3DFORMAT displayFormat, D3DFORMAT backBufferFormat);

// Depth formats as depth-stencil surfaces; colour formats as textures, and
// the 32-bit and R5G6B5 formats also as render targets.
HRESULT checkGlDeviceFormat(D3DFORMAT adapterFormat, DWORD usage, D3DRESOURCETYPE resourceType,
                            D3DFORMAT checkFormat);

// Any offered depth format goes with any render-target or back-buffer format.
HRESULT checkGlDepthStencilMatch(D3DFORMAT adapterFormat, D3DFORMAT renderTargetFormat,
                                 D3DFORMAT depthStencilFormat);

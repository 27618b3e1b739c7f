// The capabilities the layer's devices report.
#pragma once

#include "platform/d3d8/d3d8types.h"

// A fixed-function device of the Direct3D 8 generation that can render into
// a window: 8 texture stages, 8 lights, every blend and compare mode. The
// hardware (HAL) device transforms and rasterises in hardware; the reference
// (REF) device reports neither.
D3DCAPS8 standardCaps(D3DDEVTYPE type, UINT adapter);

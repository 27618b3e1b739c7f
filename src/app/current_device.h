// The device all drawing code of the demo goes through, and the colour
// the target is cleared to.
#pragma once

#include "platform/d3d8/d3d8.h"

// Set when the device is created, null when there is none.
inline IDirect3DDevice8* currentDevice = nullptr;

// ARGB; set only by the script's setclearcolor, kept across reloads.
inline D3DCOLOR clearColour = 0;

// Display adapters of the GL backend: SDL's displays and their modes.
#pragma once

#include <SDL.h>

#include <string>
#include <vector>

#include "platform/d3d8/d3d8types.h"

struct GlAdapter {
    int display = 0;  // SDL display index
    std::string name;
    std::vector<D3DDISPLAYMODE> modes;
};

// One adapter per SDL display. Needs SDL video initialised.
std::vector<GlAdapter> enumerateAdapters();

// The display's current mode; false when SDL cannot tell.
bool desktopMode(int display, D3DDISPLAYMODE& mode);

// The Direct3D format of an SDL pixel format; D3DFMT_UNKNOWN when there is none.
D3DFORMAT d3dFormatOfSdl(Uint32 sdlFormat);
// The format of a display mode: a display has no alpha, so ARGB8888 is
// X8R8G8B8; D3DFMT_UNKNOWN for formats without a Direct3D counterpart.
D3DFORMAT displayFormatOfSdl(Uint32 sdlFormat);
// The desktop's format as Direct3D sees it: GL composites into any desktop,
// so a desktop format without a Direct3D counterpart counts as X8R8G8B8.
D3DFORMAT desktopFormatOfSdl(Uint32 sdlFormat);

// Whether a video driver has no real display (its modes mean nothing).
bool isHeadlessDriver(const char* driverName);

// The modes offered when the driver reports none that Direct3D can use:
// 640x480 to 1920x1080 in X8R8G8B8 and R5G6B5.
std::vector<D3DDISPLAYMODE> commonDisplayModes();

// The display modes of one adapter worth offering: at least 640 x 400,
// one per size and format whatever the refresh rate, in compareModes order,
// with the list of their formats, the desktop format first.
#pragma once

#include <vector>

#include "framework/device_catalog.h"

constexpr unsigned maxCollectedModes = 100;
constexpr unsigned maxCollectedFormats = 20;

struct AdapterModes {
    std::vector<D3DDISPLAYMODE> modes;
    std::vector<D3DFORMAT> formats;
};

// Modes and formats beyond the limits above are ignored.
AdapterModes collectDisplayModes(IDirect3D8& direct3d, UINT adapter, D3DFORMAT desktopFormat);

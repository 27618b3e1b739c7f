// What the display adapters can do: for every adapter the device types that
// work, and for each device the full-screen modes it can use with the
// vertex-processing behaviour and depth format that go with them. Built
// once before the window exists; the setup dialog changes the selection.
#pragma once

#include "platform/d3d8/d3d8.h"
#include "platform/win32/windef.h"

class GraphicsApp;

constexpr unsigned maxAdapters = 10;
constexpr unsigned maxDevicesPerAdapter = 5;
constexpr unsigned maxModesPerDevice = 150;

struct ModeInfo {
    unsigned width = 0;
    unsigned height = 0;
    D3DFORMAT format = D3DFMT_UNKNOWN;
    DWORD behavior = 0;
    D3DFORMAT depthStencilFormat = D3DFMT_UNKNOWN;
};

struct DeviceInfo {
    D3DDEVTYPE deviceType = D3DDEVTYPE_HAL;
    D3DCAPS8 caps{};
    const char* description = "";
    bool canDoWindowed = false;
    unsigned modeCount = 0;
    ModeInfo modes[maxModesPerDevice];
    unsigned currentMode = 0;
    bool windowed = false;
    D3DMULTISAMPLE_TYPE multiSampleType = D3DMULTISAMPLE_NONE;
};

struct AdapterInfo {
    // The adapter number Direct3D knows it by: an adapter without usable
    // devices takes no entry, so entry index and number can differ.
    UINT ordinal = 0;
    D3DADAPTER_IDENTIFIER8 identifier{};
    D3DDISPLAYMODE desktopMode{};
    unsigned deviceCount = 0;
    DeviceInfo devices[maxDevicesPerAdapter];
    unsigned currentDevice = 0;
};

// The sort order of collected modes: format number descending (compared as
// signed integers), then width, then height ascending. Returns <0, 0 or >0.
int compareModes(const D3DDISPLAYMODE& a, const D3DDISPLAYMODE& b);

struct DeviceCatalog {
    AdapterInfo adapters[maxAdapters];
    unsigned adapterCount = 0;

    // Fills the catalog from the Direct3D object and makes the default
    // selection (the app's currentAdapter and windowed). Asks the app's
    // acceptDevice hook about behaviours and reports reference-device
    // fallbacks through its reportError as warnings. Returns S_OK,
    // errNoCompatibleDevice or errNoWindowedDevice.
    HRESULT build(IDirect3D8& direct3d, GraphicsApp& app);
};

// The first depth-buffer format, in the framework's preference order, that
// satisfies the minimum depth and stencil bits and works with the format.
struct DepthFormatChoice {
    bool found = false;
    D3DFORMAT format = D3DFMT_UNKNOWN;
};
DepthFormatChoice chooseDepthFormat(IDirect3D8& direct3d, UINT adapter, D3DDEVTYPE deviceType,
                                    D3DFORMAT adapterFormat, unsigned minDepthBits,
                                    unsigned minStencilBits);

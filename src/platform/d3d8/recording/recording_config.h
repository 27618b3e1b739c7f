// The machine the recording backend pretends to be.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/d3d8/d3d8types.h"

// One device type (HAL or REF) of one adapter.
struct RecordingDeviceType {
    bool present = true;  // absent: GetDeviceCaps, CheckDeviceType and CreateDevice fail
    D3DCAPS8 caps{};
    // Display formats CheckDeviceType accepts, with a back buffer of the same
    // format (or A8R8G8B8 on an X8R8G8B8 display).
    std::vector<D3DFORMAT> displayFormats;
    // Depth formats CheckDeviceFormat (D3DUSAGE_DEPTHSTENCIL) and
    // CheckDepthStencilMatch accept.
    std::vector<D3DFORMAT> depthFormats;
    // Formats CheckDeviceFormat accepts for other usages (textures, render targets).
    std::vector<D3DFORMAT> textureFormats;
};

struct RecordingAdapter {
    std::string driver;
    std::string description;
    D3DDISPLAYMODE desktopMode{};
    std::vector<D3DDISPLAYMODE> modes;  // as EnumAdapterModes lists them, refresh rates included
    RecordingDeviceType hal;
    RecordingDeviceType ref;
};

// A lost device: after the given number of Present calls (0: never) Present
// returns D3DERR_DEVICELOST, TestCooperativeLevel returns D3DERR_DEVICELOST
// for `lostPolls` calls and then D3DERR_DEVICENOTRESET until Reset succeeds.
struct RecordingDeviceLoss {
    unsigned afterPresents = 0;
    unsigned lostPolls = 1;
};

// A typical adapter: desktop 1024 x 768 X8R8G8B8, modes from 320 x 240 to
// 1280 x 1024 in X8R8G8B8 and R5G6B5 at 60 and 75 Hz; HAL and REF with the
// standard caps, display formats X8R8G8B8 and R5G6B5, depth formats D16,
// D24X8, D24S8 and D32.
RecordingAdapter standardRecordingAdapter();

struct RecordingConfig {
    std::vector<RecordingAdapter> adapters{standardRecordingAdapter()};
    // Results to return instead of the normal ones, by method name (for
    // example {"CreateDevice", D3DERR_OUTOFVIDEOMEMORY} or {"BeginScene",
    // D3DERR_INVALIDCALL}). A forced failure has no other effect.
    std::map<std::string, HRESULT> forcedResults;
    RecordingDeviceLoss deviceLoss;
    // Whether devices keep pixels in memory: Clear fills the back buffer
    // and render-target textures, and LockRect of the back buffer reads
    // them. Off, a device does no pixel work at all and its back buffer
    // reads as zeros: with the log off too, what is left is what the
    // engine costs (benchmarks).
    bool simulatePixels = true;
};

#include "platform/d3d8/recording/recording_config.h"

#include "platform/d3d8/standard_caps.h"

namespace {

std::vector<D3DDISPLAYMODE> standardModes() {
    const UINT sizes[][2] = {{320, 240},  {640, 400},  {640, 480},  {800, 600},
                             {1024, 768}, {1280, 720}, {1280, 1024}};
    std::vector<D3DDISPLAYMODE> modes;
    for (D3DFORMAT format : {D3DFMT_X8R8G8B8, D3DFMT_R5G6B5})
        for (const auto& size : sizes)
            for (UINT refresh : {60u, 75u}) modes.push_back({size[0], size[1], refresh, format});
    return modes;
}

RecordingDeviceType standardDeviceType(D3DDEVTYPE type) {
    RecordingDeviceType device;
    device.caps = standardCaps(type, 0);
    device.displayFormats = {D3DFMT_X8R8G8B8, D3DFMT_R5G6B5};
    device.depthFormats = {D3DFMT_D16, D3DFMT_D24X8, D3DFMT_D24S8, D3DFMT_D32};
    device.textureFormats = {D3DFMT_A8R8G8B8, D3DFMT_X8R8G8B8, D3DFMT_R5G6B5, D3DFMT_A1R5G5B5,
                             D3DFMT_A4R4G4B4, D3DFMT_L8,       D3DFMT_A8};
    return device;
}

}  // namespace

RecordingAdapter standardRecordingAdapter() {
    RecordingAdapter adapter;
    adapter.driver = "recording";
    adapter.description = "Recording adapter";
    adapter.desktopMode = {1024, 768, 60, D3DFMT_X8R8G8B8};
    adapter.modes = standardModes();
    adapter.hal = standardDeviceType(D3DDEVTYPE_HAL);
    adapter.ref = standardDeviceType(D3DDEVTYPE_REF);
    return adapter;
}

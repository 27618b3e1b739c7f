// The depth-buffer format for a display format: the first candidate, in
// the framework's order of preference, that has the wanted depth and
// stencil bits and that the device supports with that format.
#include "framework/device_catalog.h"

namespace {

struct DepthCandidate {
    D3DFORMAT format;
    unsigned maxMinDepthBits;    // considered when minDepthBits <= this
    unsigned maxMinStencilBits;  // and minStencilBits <= this
};

constexpr DepthCandidate depthCandidates[] = {
    {D3DFMT_D16, 16, 0},   {D3DFMT_D15S1, 15, 1},   {D3DFMT_D24X8, 24, 0},
    {D3DFMT_D24S8, 24, 8}, {D3DFMT_D24X4S4, 24, 4}, {D3DFMT_D32, 32, 0},
};

bool deviceSupports(IDirect3D8& direct3d, UINT adapter, D3DDEVTYPE deviceType,
                    D3DFORMAT adapterFormat, D3DFORMAT depthFormat) {
    return SUCCEEDED(direct3d.CheckDeviceFormat(adapter, deviceType, adapterFormat,
                                                D3DUSAGE_DEPTHSTENCIL, D3DRTYPE_SURFACE,
                                                depthFormat)) &&
           SUCCEEDED(direct3d.CheckDepthStencilMatch(adapter, deviceType, adapterFormat,
                                                     adapterFormat, depthFormat));
}

}  // namespace

DepthFormatChoice chooseDepthFormat(IDirect3D8& direct3d, UINT adapter, D3DDEVTYPE deviceType,
                                    D3DFORMAT adapterFormat, unsigned minDepthBits,
                                    unsigned minStencilBits) {
    for (const DepthCandidate& candidate : depthCandidates) {
        if (minDepthBits > candidate.maxMinDepthBits) continue;
        if (minStencilBits > candidate.maxMinStencilBits) continue;
        if (deviceSupports(direct3d, adapter, deviceType, adapterFormat, candidate.format))
            return {true, candidate.format};
    }
    return {};
}

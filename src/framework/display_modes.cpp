#include "framework/display_modes.h"

#include <algorithm>
#include <cstdint>

namespace {

bool largeEnough(const D3DDISPLAYMODE& mode) {
    return mode.Width >= 640 && mode.Height >= 400;
}

bool sameSizeAndFormat(const D3DDISPLAYMODE& a, const D3DDISPLAYMODE& b) {
    return a.Width == b.Width && a.Height == b.Height && a.Format == b.Format;
}

bool alreadyCollected(const std::vector<D3DDISPLAYMODE>& modes, const D3DDISPLAYMODE& mode) {
    return std::any_of(modes.begin(), modes.end(),
                       [&](const D3DDISPLAYMODE& m) { return sameSizeAndFormat(m, mode); });
}

void addFormat(std::vector<D3DFORMAT>& formats, D3DFORMAT format) {
    if (std::find(formats.begin(), formats.end(), format) != formats.end()) return;
    if (formats.size() < maxCollectedFormats) formats.push_back(format);
}

}  // namespace

int compareModes(const D3DDISPLAYMODE& a, const D3DDISPLAYMODE& b) {
    auto formatA = std::int32_t(a.Format), formatB = std::int32_t(b.Format);
    if (formatA != formatB) return formatA > formatB ? -1 : 1;
    if (a.Width != b.Width) return a.Width < b.Width ? -1 : 1;
    if (a.Height != b.Height) return a.Height < b.Height ? -1 : 1;
    return 0;
}

AdapterModes collectDisplayModes(IDirect3D8& direct3d, UINT adapter, D3DFORMAT desktopFormat) {
    AdapterModes collected;
    collected.formats.push_back(desktopFormat);
    UINT count = direct3d.GetAdapterModeCount(adapter);
    for (UINT i = 0; i < count; ++i) {
        D3DDISPLAYMODE mode{};
        if (FAILED(direct3d.EnumAdapterModes(adapter, i, &mode))) continue;
        if (!largeEnough(mode) || alreadyCollected(collected.modes, mode)) continue;
        if (collected.modes.size() == maxCollectedModes) continue;
        collected.modes.push_back(mode);
        addFormat(collected.formats, mode.Format);
    }
    std::sort(collected.modes.begin(), collected.modes.end(),
              [](const auto& a, const auto& b) { return compareModes(a, b) < 0; });
    return collected;
}

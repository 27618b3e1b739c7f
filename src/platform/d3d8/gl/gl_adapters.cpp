#include "platform/d3d8/gl/gl_adapters.h"

#include <algorithm>
#include <cstring>

namespace {

D3DDISPLAYMODE toD3DMode(const SDL_DisplayMode& mode, D3DFORMAT format) {
    return {UINT(mode.w), UINT(mode.h), UINT(mode.refresh_rate), format};
}

bool sameMode(const D3DDISPLAYMODE& a, const D3DDISPLAYMODE& b) {
    return a.Width == b.Width && a.Height == b.Height && a.RefreshRate == b.RefreshRate &&
           a.Format == b.Format;
}

std::vector<D3DDISPLAYMODE> reportedModes(int display) {
    std::vector<D3DDISPLAYMODE> modes;
    const int count = SDL_GetNumDisplayModes(display);
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode mode{};
        if (SDL_GetDisplayMode(display, i, &mode) != 0) continue;
        const D3DFORMAT format = displayFormatOfSdl(mode.format);
        if (format == D3DFMT_UNKNOWN) continue;
        const D3DDISPLAYMODE converted = toD3DMode(mode, format);
        const auto same = [&](const D3DDISPLAYMODE& m) { return sameMode(m, converted); };
        if (std::none_of(modes.begin(), modes.end(), same)) modes.push_back(converted);
    }
    return modes;
}

std::string displayName(int display) {
    const char* name = SDL_GetDisplayName(display);
    if (name != nullptr && name[0] != '\0') return name;
    return "Display " + std::to_string(display);
}

}  // namespace

D3DFORMAT d3dFormatOfSdl(Uint32 sdlFormat) {
    switch (sdlFormat) {
        case SDL_PIXELFORMAT_RGB888:
            return D3DFMT_X8R8G8B8;
        case SDL_PIXELFORMAT_ARGB8888:
            return D3DFMT_A8R8G8B8;
        case SDL_PIXELFORMAT_RGB565:
            return D3DFMT_R5G6B5;
        case SDL_PIXELFORMAT_RGB555:
            return D3DFMT_X1R5G5B5;
        default:
            return D3DFMT_UNKNOWN;
    }
}

D3DFORMAT displayFormatOfSdl(Uint32 sdlFormat) {
    const D3DFORMAT format = d3dFormatOfSdl(sdlFormat);
    return format == D3DFMT_A8R8G8B8 ? D3DFMT_X8R8G8B8 : format;
}

D3DFORMAT desktopFormatOfSdl(Uint32 sdlFormat) {
    const D3DFORMAT format = displayFormatOfSdl(sdlFormat);
    return format == D3DFMT_UNKNOWN ? D3DFMT_X8R8G8B8 : format;
}

bool isHeadlessDriver(const char* driverName) {
    if (driverName == nullptr) return true;
    return std::strcmp(driverName, "offscreen") == 0 || std::strcmp(driverName, "dummy") == 0;
}

std::vector<D3DDISPLAYMODE> commonDisplayModes() {
    const UINT sizes[][2] = {{640, 480},  {640, 400},   {800, 600},  {1024, 768},
                             {1280, 720}, {1280, 1024}, {1920, 1080}};
    std::vector<D3DDISPLAYMODE> modes;
    for (D3DFORMAT format : {D3DFMT_X8R8G8B8, D3DFMT_R5G6B5})
        for (const auto& size : sizes) modes.push_back({size[0], size[1], 60, format});
    return modes;
}

bool desktopMode(int display, D3DDISPLAYMODE& mode) {
    SDL_DisplayMode desktop{};
    if (SDL_GetDesktopDisplayMode(display, &desktop) != 0) return false;
    mode = toD3DMode(desktop, desktopFormatOfSdl(desktop.format));
    return true;
}

std::vector<GlAdapter> enumerateAdapters() {
    const bool headless = isHeadlessDriver(SDL_GetCurrentVideoDriver());
    std::vector<GlAdapter> adapters;
    const int displays = SDL_GetNumVideoDisplays();
    for (int display = 0; display < displays; ++display) {
        GlAdapter adapter{display, displayName(display), {}};
        if (!headless) adapter.modes = reportedModes(display);
        if (adapter.modes.empty()) adapter.modes = commonDisplayModes();
        adapters.push_back(std::move(adapter));
    }
    return adapters;
}

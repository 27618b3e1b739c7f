#include "platform/d3d8/recording/recorder.h"

std::vector<double> presentParameterArgs(const D3DPRESENT_PARAMETERS* params) {
    if (params == nullptr) return {0};
    const D3DPRESENT_PARAMETERS& p = *params;
    return {double(p.BackBufferWidth),
            double(p.BackBufferHeight),
            double(p.BackBufferFormat),
            double(p.BackBufferCount),
            double(p.MultiSampleType),
            double(p.SwapEffect),
            address(p.hDeviceWindow),
            double(p.Windowed),
            double(p.EnableAutoDepthStencil),
            double(p.AutoDepthStencilFormat),
            double(p.Flags),
            double(p.FullScreen_RefreshRateInHz),
            double(p.FullScreen_PresentationInterval)};
}

std::vector<double> lockArgs(const RECT* rect, DWORD flags) {
    std::vector<double> args;
    if (rect != nullptr)
        args = {double(rect->left), double(rect->top), double(rect->right), double(rect->bottom)};
    args.push_back(double(flags));
    return args;
}

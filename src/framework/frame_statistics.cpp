#include "framework/frame_statistics.h"

#include <cstdio>

bool FrameRateCounter::countFrame(float now, float* rate) {
    ++frames_;
    if (!(now - lastUpdateTime_ > 1.0f)) return false;
    *rate = float(frames_) / (now - lastUpdateTime_);
    frames_ = 0;
    lastUpdateTime_ = now;
    return true;
}

const char* depthFormatSuffix(D3DFORMAT format) {
    switch (format) {
        case D3DFMT_D16:
            return " (D16)";
        case D3DFMT_D15S1:
            return " (D15S1)";
        case D3DFMT_D24X8:
            return " (D24X8)";
        case D3DFMT_D24S8:
            return " (D24S8)";
        case D3DFMT_D24X4S4:
            return " (D24X4S4)";
        case D3DFMT_D32:
            return " (D32)";
        default:
            return "";
    }
}

std::string frameStatsText(float rate, UINT width, UINT height, D3DFORMAT displayFormat,
                           bool useDepthBuffer, D3DFORMAT depthFormat) {
    int bits = displayFormat == D3DFMT_X8R8G8B8 ? 32 : 16;
    // Room for the largest float in %.02f and two 10-digit sizes.
    char text[96];
    std::snprintf(text, sizeof text, "%.02f fps (%dx%dx%d)", double(rate), int(width), int(height),
                  bits);
    std::string stats = text;
    if (useDepthBuffer) stats += depthFormatSuffix(depthFormat);
    return stats;
}

#include "app/capture/png_frames.h"

#include <cstdio>
#include <filesystem>

#include "app/capture/rgb_image.h"

std::string framePath(const std::string& dir, int index) {
    char name[32];
    std::snprintf(name, sizeof name, "frame%05d.png", index);
    return (std::filesystem::path(dir) / name).string();
}

bool PngFrames::write(const CapturedFrame& frame) {
    return writeRgbPng(framePath(outDir_, frame.index), rgbFromFrame(frame));
}

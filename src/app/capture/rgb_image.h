// A captured or golden frame as 8-bit RGB, top row first, rows packed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/capture/frame_sink.h"

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // width * height * 3 bytes
};

RgbImage rgbFromFrame(const CapturedFrame& frame);

// A PNG file's bytes as RGB (alpha and grey become RGB as libpng composes
// them); false with the reason in `error` when they are no PNG image.
bool decodeRgbPng(const std::vector<std::uint8_t>& bytes, RgbImage& image, std::string& error);

// False (and prints why) when the file cannot be written.
bool writeRgbPng(const std::string& path, const RgbImage& image);

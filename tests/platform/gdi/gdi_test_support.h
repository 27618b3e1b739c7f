// A memory DC with a 32-bit DIB section and a font selected, for tests of
// the GDI text subset.
#pragma once

#include <cstdint>

#include "platform/gdi/wingdi.h"

HFONT createArial(int height, int weight = FW_BOLD, const char* face = "Arial");

struct Canvas {
    Canvas(int width, int height, HFONT font, bool topDown = true);
    ~Canvas();

    std::uint32_t pixel(int x, int y) const { return pixels[y * width + x]; }
    // True when every pixel outside [left, right) x [top, bottom) is 0.
    bool blankOutside(int left, int top, int right, int bottom) const;
    SIZE extent(const char* text) const;

    int width, height;
    HDC dc;
    HBITMAP bitmap;
    std::uint32_t* pixels = nullptr;
};

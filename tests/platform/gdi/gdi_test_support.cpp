#include "gdi_test_support.h"

#include <cstring>

HFONT createArial(int height, int weight, const char* face) {
    return CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, VARIABLE_PITCH,
                       face);
}

Canvas::Canvas(int width, int height, HFONT font, bool topDown)
    : width(width), height(height), dc(CreateCompatibleDC(nullptr)) {
    BITMAPINFO info{};
    info.bmiHeader = {
        sizeof(BITMAPINFOHEADER), width, topDown ? -height : height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    pixels = static_cast<std::uint32_t*>(bits);
    SelectObject(dc, bitmap);
    SelectObject(dc, font);
    SetTextColor(dc, RGB(255, 255, 255));
    SetBkColor(dc, RGB(0, 0, 0));
}

Canvas::~Canvas() {
    DeleteDC(dc);
    DeleteObject(bitmap);
}

bool Canvas::blankOutside(int left, int top, int right, int bottom) const {
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            bool inside = x >= left && x < right && y >= top && y < bottom;
            if (!inside && pixel(x, y) != 0) return false;
        }
    }
    return true;
}

SIZE Canvas::extent(const char* text) const {
    SIZE size{-1, -1};
    GetTextExtentPoint32A(dc, text, int(std::strlen(text)), &size);
    return size;
}

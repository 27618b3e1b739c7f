#include "platform/gdi/pixel_painter.h"

namespace gdi {
namespace {

std::uint32_t channel(std::uint32_t pixel, int shift) {
    return (pixel >> shift) & 0xff;
}

std::uint32_t mixChannel(std::uint32_t from, std::uint32_t to, std::uint32_t alpha) {
    return (from * (255 - alpha) + to * alpha + 127) / 255;
}

std::uint32_t mixPixels(std::uint32_t from, std::uint32_t to, std::uint32_t alpha) {
    std::uint32_t mixed = 0;
    for (int shift : {0, 8, 16}) {
        mixed |= mixChannel(channel(from, shift), channel(to, shift), alpha) << shift;
    }
    return mixed;
}

}  // namespace

std::uint32_t dibPixel(COLORREF color) {
    return std::uint32_t(GetBValue(color)) | (std::uint32_t(GetGValue(color)) << 8) |
           (std::uint32_t(GetRValue(color)) << 16);
}

void fillPixels(BitmapRecord& bitmap, const PixelRect& area, COLORREF color) {
    PixelRect visible = intersect(area, bitmap.bounds());
    if (visible.empty()) return;
    std::uint32_t pixel = dibPixel(color);
    for (int y = visible.top; y < visible.bottom; ++y) {
        std::uint32_t* row = bitmap.row(y);
        for (int x = visible.left; x < visible.right; ++x) row[x] = pixel;
    }
}

void blendCoverage(BitmapRecord& bitmap, const GlyphCoverage& coverage, COLORREF color) {
    const PixelRect& area = coverage.area;
    PixelRect visible = intersect(area, bitmap.bounds());
    if (visible.empty()) return;
    std::uint32_t ink = dibPixel(color);
    for (int y = visible.top; y < visible.bottom; ++y) {
        std::uint32_t* row = bitmap.row(y);
        const std::uint8_t* alpha = &coverage.alpha[size_t((y - area.top) * area.width())];
        for (int x = visible.left; x < visible.right; ++x) {
            std::uint32_t a = alpha[x - area.left];
            if (a) row[x] = mixPixels(row[x], ink, a);
        }
    }
}

}  // namespace gdi

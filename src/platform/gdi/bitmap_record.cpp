#include "platform/gdi/bitmap_record.h"

namespace gdi {

BitmapRecord::BitmapRecord(int width, int height, bool topDown)
    : GdiObject(ObjectKind::Bitmap), width(width), height(height), topDown(topDown) {}

PixelRect BitmapRecord::bounds() const {
    return hasPixels() ? PixelRect{0, 0, width, height} : PixelRect{};
}

std::uint32_t* BitmapRecord::row(int y) {
    int stored = topDown ? y : height - 1 - y;
    return pixels.data() + size_t(stored) * size_t(width);
}

}  // namespace gdi

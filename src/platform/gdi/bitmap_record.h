// A bitmap handle's record: a 32-bit DIB section, pixels in memory as
// Windows lays them out (blue in the lowest byte of each 32-bit pixel).
#pragma once

#include <cstdint>
#include <vector>

#include "platform/gdi/gdi_object.h"
#include "platform/gdi/pixel_rect.h"

namespace gdi {

struct BitmapRecord : GdiObject {
    BitmapRecord(int width, int height, bool topDown);

    // Its pixels; none for the 1 x 1 monochrome bitmap of a new memory DC.
    bool hasPixels() const { return !pixels.empty(); }
    PixelRect bounds() const;
    // The pixels of a row counted from the top.
    std::uint32_t* row(int y);

    int width;
    int height;
    bool topDown;
    std::vector<std::uint32_t> pixels;
};

}  // namespace gdi

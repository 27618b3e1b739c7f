// How much of each pixel a glyph covers, 0 to 255, over a rectangle of the target.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/gdi/pixel_rect.h"

namespace gdi {

struct GlyphCoverage {
    PixelRect area;
    std::vector<std::uint8_t> alpha;  // area.width() per row, rows top-down
};

}  // namespace gdi

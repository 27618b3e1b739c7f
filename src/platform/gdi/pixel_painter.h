// Writing colours into a 32-bit DIB section: solid fills and glyph coverage
// blended from the pixel's colour towards the text colour.
#pragma once

#include <cstdint>

#include "platform/gdi/bitmap_record.h"
#include "platform/gdi/gdidef.h"
#include "platform/gdi/glyph_coverage.h"

namespace gdi {

// A COLORREF as a 32-bit DIB pixel: blue in the lowest byte, the top byte 0.
std::uint32_t dibPixel(COLORREF color);

// Both are clipped to the bitmap.
void fillPixels(BitmapRecord& bitmap, const PixelRect& area, COLORREF color);
void blendCoverage(BitmapRecord& bitmap, const GlyphCoverage& coverage, COLORREF color);

}  // namespace gdi

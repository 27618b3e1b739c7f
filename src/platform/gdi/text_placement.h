// Where a line of text lands for the DC's text alignment: the reference
// point (x, y) is the cell's top, baseline or bottom, and its left, centre
// or right.
#pragma once

#include "platform/gdi/font_face.h"
#include "platform/gdi/gdidef.h"
#include "platform/gdi/pixel_rect.h"

namespace gdi {

struct TextPlacement {
    int left = 0;
    int baseline = 0;
    PixelRect cell;  // the characters' cells: the width by ascent plus descent
};

TextPlacement placeText(UINT align, int x, int y, int width, const FaceMetrics& metrics);

}  // namespace gdi

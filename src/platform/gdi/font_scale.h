// Font sizes as GDI derives them for TrueType faces: the cell (ascent plus
// descent) comes from the OS/2 usWinAscent and usWinDescent, each scaled to
// the em size in pixels and rounded to the nearest pixel.
#pragma once

#include "platform/win32/windef.h"

namespace gdi {

struct FaceDesign {
    int unitsPerEm = 2048;
    int winAscent = 0;
    int winDescent = 0;
};

// Font units to whole pixels at an em size, rounded half up.
int scaledToPixels(int fontUnits, int emPixels, int unitsPerEm);

int cellHeight(const FaceDesign& design, int emPixels);

// A cell height of 16 pixels (the height of the system font at 96 dpi)
// stands for a logical height of 0.
constexpr LONG defaultCellHeight = 16;
constexpr int largestEmPixels = 16384;

// The em size for a logical height: a negative height is the em height, a
// positive one the cell height, met by the largest em size whose cell does
// not exceed it (at least one pixel).
int emPixelsForHeight(const FaceDesign& design, LONG height);

}  // namespace gdi

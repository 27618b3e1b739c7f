#include "platform/gdi/font_scale.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace gdi {

int scaledToPixels(int fontUnits, int emPixels, int unitsPerEm) {
    if (unitsPerEm <= 0) return 0;
    std::int64_t product = std::int64_t(fontUnits) * emPixels;
    std::int64_t half = unitsPerEm / 2;
    std::int64_t rounded =
        product >= 0 ? (product + half) / unitsPerEm : -((-product + half) / unitsPerEm);
    return int(rounded);
}

int cellHeight(const FaceDesign& design, int emPixels) {
    return scaledToPixels(design.winAscent, emPixels, design.unitsPerEm) +
           scaledToPixels(design.winDescent, emPixels, design.unitsPerEm);
}

int emPixelsForHeight(const FaceDesign& design, LONG height) {
    if (height < 0) return int(std::min<std::int64_t>(-std::int64_t(height), largestEmPixels));
    LONG cell = height == 0 ? defaultCellHeight : height;
    int designCell = std::max(1, design.winAscent + design.winDescent);
    std::int64_t estimate = std::int64_t(cell) * design.unitsPerEm / designCell + 1;
    int em = int(std::clamp<std::int64_t>(estimate, 1, largestEmPixels));
    while (em > 1 && cellHeight(design, em) > cell) --em;
    return em;
}

}  // namespace gdi

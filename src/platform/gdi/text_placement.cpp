#include "platform/gdi/text_placement.h"

namespace gdi {
namespace {

constexpr UINT horizontalAlignment = TA_LEFT | TA_RIGHT | TA_CENTER;
constexpr UINT verticalAlignment = TA_TOP | TA_BOTTOM | TA_BASELINE;

int leftEdge(UINT align, int x, int width) {
    switch (align & horizontalAlignment) {
        case TA_RIGHT:
            return x - width;
        case TA_CENTER:
            return x - width / 2;
        default:
            return x;
    }
}

int baselineOf(UINT align, int y, const FaceMetrics& metrics) {
    switch (align & verticalAlignment) {
        case TA_BASELINE:
            return y;
        case TA_BOTTOM:
            return y - metrics.descent;
        default:
            return y + metrics.ascent;
    }
}

}  // namespace

TextPlacement placeText(UINT align, int x, int y, int width, const FaceMetrics& metrics) {
    TextPlacement placement;
    placement.left = leftEdge(align, x, width);
    placement.baseline = baselineOf(align, y, metrics);
    placement.cell = {placement.left, placement.baseline - metrics.ascent, placement.left + width,
                      placement.baseline + metrics.descent};
    return placement;
}

}  // namespace gdi

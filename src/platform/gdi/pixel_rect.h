// A rectangle of pixels, right and bottom edges excluded.
#pragma once

#include <algorithm>

namespace gdi {

struct PixelRect {
    int left = 0, top = 0, right = 0, bottom = 0;

    int width() const { return std::max(0, right - left); }
    int height() const { return std::max(0, bottom - top); }
    bool empty() const { return width() == 0 || height() == 0; }
};

inline PixelRect intersect(const PixelRect& a, const PixelRect& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

}  // namespace gdi

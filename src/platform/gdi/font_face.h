// A font face loaded with FreeType at the pixel size of a GDI logical font:
// its metrics as GDI reports them, advance widths, and glyph coverage.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/gdi/font_matching.h"
#include "platform/gdi/glyph_coverage.h"
#include "platform/win32/windef.h"

struct FT_LibraryRec_;
struct FT_FaceRec_;

namespace gdi {

// Whole pixels; offsets from the baseline.
struct FaceMetrics {
    int emPixels = 0;
    int ascent = 0;
    int descent = 0;
    int externalLeading = 0;
    int averageWidth = 0;
    int maxWidth = 0;
    int underlineTop = 0;  // below the baseline
    int underlineThickness = 1;
    int strikeoutTop = 0;  // above the baseline
    int strikeoutThickness = 1;
    bool fixedPitch = false;
};

// How glyphs are rasterised at this size: the font's 'gasp' table decides,
// as it does for GDI's antialiased quality.
struct RenderingMode {
    bool gridFit = true;  // TrueType hinting
    bool grey = true;     // antialiased; otherwise black and white
};

class FontFace {
  public:
    // The first candidate FreeType loads as a scalable face, sized for the
    // logical height; null when none loads.
    static std::unique_ptr<FontFace> open(const std::vector<FontFile>& candidates, LONG height,
                                          bool antialiased);
    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    const FaceMetrics& metrics() const { return metrics_; }
    const RenderingMode& renderingMode() const { return mode_; }
    std::string familyName() const;
    bool simulatesBold() const { return file_.simulateBold; }
    bool simulatesItalic() const { return file_.simulateItalic; }

    // Advance width in whole pixels (0 when the glyph cannot be loaded).
    int advance(char32_t character) const;
    // The glyph with its origin at (penX, baselineY), only inside the clip.
    GlyphCoverage coverage(char32_t character, int penX, int baselineY,
                           const PixelRect& clip) const;

  private:
    FontFace(FT_LibraryRec_* library, FT_FaceRec_* face, FontFile file);
    void setSize(LONG height, bool antialiased);
    bool loadGlyph(char32_t character) const;
    PixelRect outlineBounds(int penX, int baselineY) const;
    void rasterise(GlyphCoverage& coverage) const;

    FT_LibraryRec_* library_;
    FT_FaceRec_* face_;
    FontFile file_;
    FaceMetrics metrics_;
    RenderingMode mode_;
};

}  // namespace gdi

// Glyphs of a FontFace: loading with GDI's hinting and simulated styles,
// advance widths, and rasterising only the visible part of a glyph.
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_SYNTHESIS_H

#include <cmath>

#include "platform/gdi/font_face.h"

namespace gdi {
namespace {

constexpr FT_Pos onePixel = 64;  // 26.6 fixed point

int floorPixels(FT_Pos value) {
    return int(std::floor(double(value) / onePixel));
}
int ceilPixels(FT_Pos value) {
    return int(std::ceil(double(value) / onePixel));
}

FT_Int32 loadFlags(const RenderingMode& mode) {
    if (!mode.gridFit) return FT_LOAD_NO_BITMAP | FT_LOAD_NO_HINTING;
    return FT_LOAD_NO_BITMAP | (mode.grey ? FT_LOAD_TARGET_NORMAL : FT_LOAD_TARGET_MONO);
}

// GDI's simulated bold widens each stem by one pixel to the right.
void embolden(FT_Outline& outline) {
    FT_Outline_EmboldenXY(&outline, onePixel, 0);
    FT_Outline_Translate(&outline, onePixel / 2, 0);
}

void expandMonochrome(const std::vector<std::uint8_t>& bits, int pitch, GlyphCoverage& coverage) {
    int width = coverage.area.width();
    for (int y = 0; y < coverage.area.height(); ++y) {
        for (int x = 0; x < width; ++x) {
            bool set = bits[size_t(y * pitch + x / 8)] & (0x80 >> (x % 8));
            coverage.alpha[size_t(y * width + x)] = set ? 255 : 0;
        }
    }
}

}  // namespace

bool FontFace::loadGlyph(char32_t character) const {
    FT_UInt index = FT_Get_Char_Index(face_, character);
    if (FT_Load_Glyph(face_, index, loadFlags(mode_))) return false;
    FT_GlyphSlot slot = face_->glyph;
    if (slot->format != FT_GLYPH_FORMAT_OUTLINE) return false;
    if (file_.simulateItalic) FT_GlyphSlot_Oblique(slot);
    if (file_.simulateBold) embolden(slot->outline);
    return true;
}

int FontFace::advance(char32_t character) const {
    if (!loadGlyph(character)) return 0;
    int width = int((face_->glyph->advance.x + onePixel / 2) / onePixel);
    return width + (file_.simulateBold ? 1 : 0);
}

PixelRect FontFace::outlineBounds(int penX, int baselineY) const {
    FT_BBox box;
    FT_Outline_Get_CBox(&face_->glyph->outline, &box);
    return {penX + floorPixels(box.xMin), baselineY - ceilPixels(box.yMax),
            penX + ceilPixels(box.xMax), baselineY - floorPixels(box.yMin)};
}

GlyphCoverage FontFace::coverage(char32_t character, int penX, int baselineY,
                                 const PixelRect& clip) const {
    GlyphCoverage coverage;
    if (!loadGlyph(character)) return coverage;
    coverage.area = intersect(outlineBounds(penX, baselineY), clip);
    if (coverage.area.empty()) return coverage;
    // The raster's origin is the bottom left of the visible area.
    FT_Outline_Translate(&face_->glyph->outline, (penX - coverage.area.left) * onePixel,
                         (coverage.area.bottom - baselineY) * onePixel);
    rasterise(coverage);
    return coverage;
}

void FontFace::rasterise(GlyphCoverage& coverage) const {
    int width = coverage.area.width();
    int height = coverage.area.height();
    coverage.alpha.assign(size_t(width) * size_t(height), 0);
    int pitch = mode_.grey ? width : (width + 7) / 8;
    std::vector<std::uint8_t> bits;
    if (!mode_.grey) bits.assign(size_t(pitch) * size_t(height), 0);
    FT_Bitmap target{};
    target.rows = unsigned(height);
    target.width = unsigned(width);
    target.pitch = pitch;  // positive: the first row is the top one
    target.buffer = mode_.grey ? coverage.alpha.data() : bits.data();
    target.num_grays = 256;
    target.pixel_mode = mode_.grey ? FT_PIXEL_MODE_GRAY : FT_PIXEL_MODE_MONO;
    FT_Outline_Get_Bitmap(library_, &face_->glyph->outline, &target);
    if (!mode_.grey) expandMonochrome(bits, pitch, coverage);
}

}  // namespace gdi

#include "platform/gdi/font_face.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_DRIVER_H
#include FT_GASP_H
#include FT_MODULE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>

#include "platform/gdi/font_scale.h"

namespace gdi {
namespace {

// FreeType's classic TrueType interpreter hints in both directions, as the
// Windows rasteriser does, so advance widths are the hinted whole pixels GDI uses.
FT_Library openLibrary() {
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library)) return nullptr;
    FT_UInt classicInterpreter = TT_INTERPRETER_VERSION_35;
    FT_Property_Set(library, "truetype", "interpreter-version", &classicInterpreter);
    return library;
}

FT_Face openFace(FT_Library library, const FontFile& file) {
    FT_Face face = nullptr;
    if (FT_New_Face(library, file.path.c_str(), file.index, &face)) return nullptr;
    if (FT_IS_SCALABLE(face) && face->units_per_EM > 0) return face;
    FT_Done_Face(face);
    return nullptr;
}

const TT_OS2* os2Table(FT_Face face) {
    auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    return os2 && os2->version != 0xFFFF ? os2 : nullptr;
}

FaceDesign designOf(FT_Face face) {
    FaceDesign design{face->units_per_EM, face->ascender, -face->descender};
    if (const TT_OS2* os2 = os2Table(face)) {
        design.winAscent = os2->usWinAscent;
        design.winDescent = os2->usWinDescent;
    }
    return design;
}

// GDI's external leading: the part of the typographic line gap that the
// Windows ascent and descent do not already include.
int externalLeadingUnits(FT_Face face, const FaceDesign& design) {
    auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
    if (!hhea) return 0;
    int included = (design.winAscent + design.winDescent) - (hhea->Ascender - hhea->Descender);
    return std::max(0, hhea->Line_Gap - included);
}

RenderingMode gaspMode(FT_Face face, int emPixels, bool antialiased) {
    FT_Int gasp = FT_Get_Gasp(face, FT_UInt(emPixels));
    if (gasp == FT_GASP_NO_TABLE) return {true, antialiased};
    return {(gasp & FT_GASP_DO_GRIDFIT) != 0, antialiased && (gasp & FT_GASP_DO_GRAY) != 0};
}

}  // namespace

std::unique_ptr<FontFace> FontFace::open(const std::vector<FontFile>& candidates, LONG height,
                                         bool antialiased) {
    for (const FontFile& file : candidates) {
        FT_Library library = openLibrary();
        if (!library) return nullptr;
        if (FT_Face face = openFace(library, file)) {
            std::unique_ptr<FontFace> font(new FontFace(library, face, file));
            font->setSize(height, antialiased);
            return font;
        }
        FT_Done_FreeType(library);
    }
    return nullptr;
}

FontFace::FontFace(FT_LibraryRec_* library, FT_FaceRec_* face, FontFile file)
    : library_(library), face_(face), file_(std::move(file)) {}

FontFace::~FontFace() {
    FT_Done_Face(face_);
    FT_Done_FreeType(library_);
}

std::string FontFace::familyName() const {
    return face_->family_name ? face_->family_name : "";
}

void FontFace::setSize(LONG height, bool antialiased) {
    FaceDesign design = designOf(face_);
    int em = emPixelsForHeight(design, height);
    FT_Set_Pixel_Sizes(face_, 0, FT_UInt(em));
    mode_ = gaspMode(face_, em, antialiased);
    auto pixels = [&](int units) { return scaledToPixels(units, em, design.unitsPerEm); };
    FaceMetrics& m = metrics_;
    m.emPixels = em;
    m.ascent = pixels(design.winAscent);
    m.descent = pixels(design.winDescent);
    m.externalLeading = pixels(externalLeadingUnits(face_, design));
    m.maxWidth = pixels(face_->max_advance_width) + (file_.simulateBold ? 1 : 0);
    const TT_OS2* os2 = os2Table(face_);
    m.averageWidth = os2 ? pixels(os2->xAvgCharWidth) : m.maxWidth;
    m.strikeoutTop = os2 ? pixels(os2->yStrikeoutPosition) : m.ascent / 3;
    m.strikeoutThickness = std::max(1, os2 ? pixels(os2->yStrikeoutSize) : 1);
    m.underlineThickness = std::max(1, pixels(face_->underline_thickness));
    m.underlineTop = -pixels(face_->underline_position) - m.underlineThickness / 2;
    m.fixedPitch = FT_IS_FIXED_WIDTH(face_);
}

}  // namespace gdi

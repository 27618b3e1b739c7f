// A string laid out on one line: each character's pen position and the
// width of the whole, from the font's advances or the caller's widths.
#pragma once

#include <vector>

#include "platform/gdi/font_face.h"

namespace gdi {

struct PlacedCharacter {
    char32_t character;
    int penX;  // from the start of the string
};

struct TextRun {
    std::vector<PlacedCharacter> characters;
    int width = 0;
};

// Without widths, each character advances by its advance width (no kerning,
// as GDI's ExtTextOut); with widths, by widths[i].
TextRun layOutText(const FontFace& face, const char* text, UINT count, const INT* widths);

}  // namespace gdi

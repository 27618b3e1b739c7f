// The face of the font selected into a DC.
#pragma once

#include "platform/gdi/font_record.h"
#include "platform/gdi/gdidef.h"

namespace gdi {

// Null for a bad DC or a font without a face.
const FontRecord* selectedFont(HDC dc);

}  // namespace gdi

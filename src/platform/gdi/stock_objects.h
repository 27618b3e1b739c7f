// The objects every new memory DC starts with, shared by all DCs as in GDI:
// a 1 x 1 monochrome bitmap and the system font.
#pragma once

#include "platform/gdi/gdidef.h"

namespace gdi {

HBITMAP stockBitmap();
HFONT stockFont();

}  // namespace gdi

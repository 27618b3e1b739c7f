// DIB sections: bitmaps whose pixels the caller reads and writes directly.
#pragma once

#include "platform/gdi/gdidef.h"

// Provided: 32 bits per pixel, BI_RGB, DIB_RGB_COLORS, one plane, memory of
// its own (no section handle). A negative height gives top-down rows. The
// pixels start at zero and stay where *bits points until DeleteObject. On
// failure returns null and sets *bits (when given) to null.
HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section,
                         DWORD offset);

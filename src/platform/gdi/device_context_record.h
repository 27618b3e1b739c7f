// A device context handle's record: a memory DC with its selected objects
// and text attributes, at GDI's defaults.
#pragma once

#include "platform/gdi/gdi_object.h"

namespace gdi {

struct DeviceContextRecord : GdiObject {
    DeviceContextRecord(HBITMAP bitmap, HFONT font)
        : GdiObject(ObjectKind::DeviceContext), bitmap(bitmap), font(font) {}

    HBITMAP bitmap;
    HFONT font;
    COLORREF textColor = RGB(0, 0, 0);
    COLORREF backgroundColor = RGB(255, 255, 255);
    int backgroundMode = OPAQUE;
    UINT textAlign = TA_LEFT | TA_TOP | TA_NOUPDATECP;
    int mapMode = MM_TEXT;
};

}  // namespace gdi

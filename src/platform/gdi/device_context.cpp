#include "platform/gdi/device_context.h"

#include <cstdint>

#include "platform/gdi/device_context_record.h"
#include "platform/gdi/handle_table.h"
#include "platform/gdi/object_selection.h"
#include "platform/gdi/stock_objects.h"

using gdi::DeviceContextRecord;
using gdi::liveRecord;

namespace {

constexpr int logicalDotsPerInch = 96;

}  // namespace

HDC CreateCompatibleDC(HDC reference) {
    if (reference && !liveRecord<DeviceContextRecord>(reference)) return nullptr;
    HBITMAP bitmap = gdi::stockBitmap();
    HFONT font = gdi::stockFont();
    auto record = std::make_unique<DeviceContextRecord>(bitmap, font);
    gdi::holdObject(*liveRecord<gdi::GdiObject>(bitmap));
    gdi::holdObject(*liveRecord<gdi::GdiObject>(font));
    return gdi::addRecord<HDC>(std::move(record));
}

BOOL DeleteDC(HDC dc) {
    auto* record = liveRecord<DeviceContextRecord>(dc);
    if (!record) return FALSE;
    HBITMAP bitmap = record->bitmap;
    HFONT font = record->font;
    gdi::handleTable().remove(reinterpret_cast<std::uintptr_t>(dc));
    gdi::releaseObject(bitmap);
    gdi::releaseObject(font);
    return TRUE;
}

int GetDeviceCaps(HDC dc, int index) {
    if (!liveRecord<DeviceContextRecord>(dc)) return 0;
    switch (index) {
        case LOGPIXELSX:
        case LOGPIXELSY:
            return logicalDotsPerInch;
        case BITSPIXEL:
            return 32;
        case PLANES:
            return 1;
        case TECHNOLOGY:
            return DT_RASDISPLAY;
        default:
            return 0;
    }
}

int SetMapMode(HDC dc, int mode) {
    auto* record = liveRecord<DeviceContextRecord>(dc);
    if (!record || mode != MM_TEXT) return 0;
    int previous = record->mapMode;
    record->mapMode = mode;
    return previous;
}

COLORREF SetTextColor(HDC dc, COLORREF color) {
    auto* record = liveRecord<DeviceContextRecord>(dc);
    if (!record) return CLR_INVALID;
    COLORREF previous = record->textColor;
    record->textColor = color;
    return previous;
}

COLORREF SetBkColor(HDC dc, COLORREF color) {
    auto* record = liveRecord<DeviceContextRecord>(dc);
    if (!record) return CLR_INVALID;
    COLORREF previous = record->backgroundColor;
    record->backgroundColor = color;
    return previous;
}

int SetBkMode(HDC dc, int mode) {
    auto* record = liveRecord<DeviceContextRecord>(dc);
    if (!record || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
    int previous = record->backgroundMode;
    record->backgroundMode = mode;
    return previous;
}

UINT SetTextAlign(HDC dc, UINT align) {
    auto* record = liveRecord<DeviceContextRecord>(dc);
    if (!record) return GDI_ERROR;
    UINT previous = record->textAlign;
    record->textAlign = align;
    return previous;
}

#include "platform/gdi/stock_objects.h"

#include "platform/gdi/bitmap_record.h"
#include "platform/gdi/font_record.h"
#include "platform/gdi/handle_table.h"
#include "platform/gdi/logical_font.h"

namespace gdi {
namespace {

template <class Handle>
Handle addStock(std::unique_ptr<GdiObject> record) {
    record->stock = true;
    return addRecord<Handle>(std::move(record));
}

}  // namespace

HBITMAP stockBitmap() {
    static const HBITMAP bitmap = addStock<HBITMAP>(std::make_unique<BitmapRecord>(1, 1, false));
    return bitmap;
}

// The default face, bold, at the default height stands in for the system font.
HFONT stockFont() {
    static const HFONT font = [] {
        LOGFONTA system{};
        system.lfWeight = FW_BOLD;
        return addStock<HFONT>(std::make_unique<FontRecord>(system, openLogicalFont(system)));
    }();
    return font;
}

}  // namespace gdi

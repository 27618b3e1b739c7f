#include "platform/gdi/selected_font.h"

#include "platform/gdi/device_context_record.h"
#include "platform/gdi/handle_table.h"

namespace gdi {

const FontRecord* selectedFont(HDC dc) {
    auto* context = liveRecord<DeviceContextRecord>(dc);
    if (!context) return nullptr;
    auto* font = liveRecord<FontRecord>(context->font);
    return font && font->face ? font : nullptr;
}

}  // namespace gdi

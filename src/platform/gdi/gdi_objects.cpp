#include "platform/gdi/gdi_objects.h"

#include <cstdint>

#include "platform/gdi/bitmap_record.h"
#include "platform/gdi/device_context_record.h"
#include "platform/gdi/handle_table.h"
#include "platform/gdi/object_selection.h"

namespace {

using namespace gdi;

// A DIB section belongs to one DC at a time.
bool selectableInto(const BitmapRecord& bitmap) {
    return bitmap.stock || bitmap.selections == 0;
}

template <class Handle>
HGDIOBJ replaceSelection(Handle& slot, GdiObject& object, HGDIOBJ handle) {
    Handle previous = slot;
    if (previous == handle) return previous;
    holdObject(object);
    slot = static_cast<Handle>(handle);
    releaseObject(previous);
    return previous;
}

}  // namespace

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
    auto* context = liveRecord<DeviceContextRecord>(dc);
    auto* target = liveRecord<GdiObject>(object);
    if (!context || !target) return nullptr;
    if (auto* bitmap = dynamic_cast<BitmapRecord*>(target)) {
        if (context->bitmap != object && !selectableInto(*bitmap)) return nullptr;
        return replaceSelection(context->bitmap, *bitmap, object);
    }
    if (target->kind == ObjectKind::Font) {
        return replaceSelection(context->font, *target, object);
    }
    return nullptr;
}

BOOL DeleteObject(HGDIOBJ object) {
    auto* record = liveRecord<GdiObject>(object);
    if (!record || record->kind == ObjectKind::DeviceContext) return FALSE;
    if (record->stock) return TRUE;  // stock objects outlive every call
    if (record->selections > 0) {
        record->deleteWhenFree = true;
        return FALSE;
    }
    handleTable().remove(reinterpret_cast<std::uintptr_t>(object));
    return TRUE;
}

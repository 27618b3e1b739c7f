#include "platform/gdi/object_selection.h"

#include <cstdint>

#include "platform/gdi/handle_table.h"

namespace gdi {

void holdObject(GdiObject& object) {
    ++object.selections;
}

void releaseObject(const void* handle) {
    GdiObject* object = liveRecord<GdiObject>(handle);
    if (!object) return;
    --object->selections;
    if (object->selections == 0 && object->deleteWhenFree) {
        handleTable().remove(reinterpret_cast<std::uintptr_t>(handle));
    }
}

}  // namespace gdi

#include "platform/gdi/handle_table.h"

namespace gdi {

std::uintptr_t HandleTable::add(std::unique_ptr<GdiObject> object) {
    std::uintptr_t handle = nextHandle_;
    nextHandle_ += 4;
    objects_.emplace(handle, std::move(object));
    return handle;
}

GdiObject* HandleTable::find(std::uintptr_t handle) const {
    auto found = objects_.find(handle);
    return found == objects_.end() ? nullptr : found->second.get();
}

void HandleTable::remove(std::uintptr_t handle) {
    objects_.erase(handle);
}

HandleTable& handleTable() {
    static HandleTable table;
    return table;
}

}  // namespace gdi

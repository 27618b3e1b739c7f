// The process's GDI handles. A handle is a number that is never handed out
// twice, so a deleted or made-up handle is recognised and refused.
#pragma once

#include <cstdint>
#include <memory>
#include <unordered_map>

#include "platform/gdi/gdi_object.h"

namespace gdi {

class HandleTable {
  public:
    std::uintptr_t add(std::unique_ptr<GdiObject> object);
    // Null for an unknown handle.
    GdiObject* find(std::uintptr_t handle) const;
    void remove(std::uintptr_t handle);

  private:
    std::unordered_map<std::uintptr_t, std::unique_ptr<GdiObject>> objects_;
    std::uintptr_t nextHandle_ = 0x10000;
};

HandleTable& handleTable();

// The record of a live handle of the given record type; null otherwise.
template <class Record>
Record* liveRecord(const void* handle) {
    GdiObject* object = handleTable().find(reinterpret_cast<std::uintptr_t>(handle));
    return dynamic_cast<Record*>(object);
}

template <class Handle>
Handle addRecord(std::unique_ptr<GdiObject> record) {
    return reinterpret_cast<Handle>(handleTable().add(std::move(record)));
}

}  // namespace gdi

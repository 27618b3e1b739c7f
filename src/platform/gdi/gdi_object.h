// What a GDI handle points to: a device context, a bitmap or a font record,
// kept in the process's handle table.
#pragma once

#include "platform/gdi/gdidef.h"

namespace gdi {

enum class ObjectKind { DeviceContext, Bitmap, Font };

struct GdiObject {
    explicit GdiObject(ObjectKind kind) : kind(kind) {}
    virtual ~GdiObject() = default;

    const ObjectKind kind;
    bool stock = false;           // a default object of every new DC; never deleted
    int selections = 0;           // how many DCs hold it
    bool deleteWhenFree = false;  // DeleteObject came while it was selected
};

}  // namespace gdi

// Keeping count of the DCs that hold an object, and freeing an object whose
// deletion waited for its DCs to let go of it.
#pragma once

#include "platform/gdi/gdi_object.h"

namespace gdi {

void holdObject(GdiObject& object);
void releaseObject(const void* handle);

}  // namespace gdi

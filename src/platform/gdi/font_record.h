// A font handle's record: the logical font as asked for and the face it
// resolved to.
#pragma once

#include <memory>

#include "platform/gdi/font_face.h"
#include "platform/gdi/gdi_object.h"

namespace gdi {

struct FontRecord : GdiObject {
    FontRecord(const LOGFONTA& request, std::unique_ptr<FontFace> face)
        : GdiObject(ObjectKind::Font), request(request), face(std::move(face)) {}

    LOGFONTA request;
    std::unique_ptr<FontFace> face;  // null only for a stock font when no face loads
};

}  // namespace gdi

// Resolving a logical font to a face: fontconfig finds the file for the face
// name, weight and italic flag; FreeType sizes it for the height.
#pragma once

#include <memory>

#include "platform/gdi/font_face.h"
#include "platform/gdi/gdidef.h"

namespace gdi {

// Null only when no face file can be loaded at all.
std::unique_ptr<FontFace> openLogicalFont(const LOGFONTA& font);

}  // namespace gdi

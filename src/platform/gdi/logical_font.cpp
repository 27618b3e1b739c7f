#include "platform/gdi/logical_font.h"

#include <cstring>

namespace gdi {
namespace {

std::string faceNameOf(const LOGFONTA& font) {
    return std::string(font.lfFaceName, strnlen(font.lfFaceName, LF_FACESIZE));
}

}  // namespace

std::unique_ptr<FontFace> openLogicalFont(const LOGFONTA& font) {
    FontRequest request{faceNameOf(font), int(font.lfWeight), font.lfItalic != 0};
    bool antialiased = font.lfQuality != NONANTIALIASED_QUALITY;
    return FontFace::open(fontCandidates(request), font.lfHeight, antialiased);
}

}  // namespace gdi

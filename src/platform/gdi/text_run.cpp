#include "platform/gdi/text_run.h"

#include "platform/gdi/ansi_code_page.h"

namespace gdi {

TextRun layOutText(const FontFace& face, const char* text, UINT count, const INT* widths) {
    TextRun run;
    run.characters.reserve(count);
    for (UINT i = 0; i < count; ++i) {
        char32_t character = ansiToUnicode(static_cast<unsigned char>(text[i]));
        run.characters.push_back({character, run.width});
        run.width += widths ? widths[i] : face.advance(character);
    }
    return run;
}

}  // namespace gdi

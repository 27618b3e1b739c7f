#include "platform/gdi/fonts.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/gdi/font_record.h"
#include "platform/gdi/handle_table.h"
#include "platform/gdi/logical_font.h"
#include "platform/gdi/selected_font.h"

namespace {

void copyFaceName(LOGFONTA& font, LPCSTR faceName) {
    if (!faceName) return;
    size_t length = strnlen(faceName, LF_FACESIZE - 1);
    std::memcpy(font.lfFaceName, faceName, length);
    font.lfFaceName[length] = '\0';
}

void fillTextMetrics(const gdi::FontRecord& font, TEXTMETRICA& out) {
    const gdi::FaceMetrics& m = font.face->metrics();
    out = TEXTMETRICA{};
    out.tmAscent = m.ascent;
    out.tmDescent = m.descent;
    out.tmHeight = m.ascent + m.descent;
    out.tmInternalLeading = out.tmHeight - m.emPixels;
    out.tmExternalLeading = m.externalLeading;
    out.tmAveCharWidth = m.averageWidth;
    out.tmMaxCharWidth = m.maxWidth;
    out.tmWeight = font.request.lfWeight > 0 ? font.request.lfWeight : FW_NORMAL;
    out.tmDigitizedAspectX = out.tmDigitizedAspectY = 96;
    out.tmFirstChar = 0x1E;
    out.tmLastChar = 0xFF;
    out.tmDefaultChar = 0x1F;
    out.tmBreakChar = 0x20;
    out.tmItalic = font.request.lfItalic ? 1 : 0;
    out.tmUnderlined = font.request.lfUnderline ? 1 : 0;
    out.tmStruckOut = font.request.lfStrikeOut ? 1 : 0;
    BYTE variablePitch = m.fixedPitch ? 0 : TMPF_FIXED_PITCH;  // GDI's inverted bit
    out.tmPitchAndFamily = variablePitch | TMPF_VECTOR | TMPF_TRUETYPE;
    out.tmCharSet = BYTE(ANSI_CHARSET);
}

}  // namespace

HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision,
                  DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily, LPCSTR faceName) {
    LOGFONTA font{height,
                  width,
                  escapement,
                  orientation,
                  weight,
                  BYTE(italic),
                  BYTE(underline),
                  BYTE(strikeOut),
                  BYTE(charSet),
                  BYTE(outPrecision),
                  BYTE(clipPrecision),
                  BYTE(quality),
                  BYTE(pitchAndFamily),
                  {}};
    copyFaceName(font, faceName);
    return CreateFontIndirectA(&font);
}

HFONT CreateFontIndirectA(const LOGFONTA* font) {
    if (!font) return nullptr;
    auto face = gdi::openLogicalFont(*font);
    if (!face) return nullptr;
    return gdi::addRecord<HFONT>(std::make_unique<gdi::FontRecord>(*font, std::move(face)));
}

BOOL GetTextMetricsA(HDC dc, TEXTMETRICA* metrics) {
    const gdi::FontRecord* font = gdi::selectedFont(dc);
    if (!font || !metrics) return FALSE;
    fillTextMetrics(*font, *metrics);
    return TRUE;
}

int GetTextFaceA(HDC dc, int count, LPSTR faceName) {
    const gdi::FontRecord* font = gdi::selectedFont(dc);
    if (!font) return 0;
    std::string family = font->face->familyName();
    if (!faceName) return int(family.size()) + 1;
    if (count <= 0) return 0;
    size_t copied = std::min(family.size(), size_t(count - 1));
    std::memcpy(faceName, family.data(), copied);
    faceName[copied] = '\0';
    return int(copied);
}

#include "platform/gdi/text_output.h"

#include "platform/gdi/bitmap_record.h"
#include "platform/gdi/device_context_record.h"
#include "platform/gdi/handle_table.h"
#include "platform/gdi/pixel_painter.h"
#include "platform/gdi/selected_font.h"
#include "platform/gdi/text_placement.h"
#include "platform/gdi/text_run.h"

namespace {

using namespace gdi;

PixelRect pixelRectOf(const RECT& rect) {
    return {int(rect.left), int(rect.top), int(rect.right), int(rect.bottom)};
}

void drawDecorations(BitmapRecord& bitmap, const TextPlacement& at, const FontRecord& font,
                     COLORREF color, const PixelRect& clip) {
    const FaceMetrics& m = font.face->metrics();
    auto drawLine = [&](int top, int thickness) {
        PixelRect line{at.cell.left, top, at.cell.right, top + thickness};
        fillPixels(bitmap, intersect(line, clip), color);
    };
    if (font.request.lfUnderline) drawLine(at.baseline + m.underlineTop, m.underlineThickness);
    if (font.request.lfStrikeOut) drawLine(at.baseline - m.strikeoutTop, m.strikeoutThickness);
}

void drawGlyphs(BitmapRecord& bitmap, const TextRun& run, const TextPlacement& at,
                const FontFace& face, COLORREF color, const PixelRect& clip) {
    for (const PlacedCharacter& placed : run.characters) {
        GlyphCoverage coverage =
            face.coverage(placed.character, at.left + placed.penX, at.baseline, clip);
        blendCoverage(bitmap, coverage, color);
    }
}

void drawText(DeviceContextRecord& dc, BitmapRecord& bitmap, const FontRecord& font, int x, int y,
              UINT options, const RECT* rect, const TextRun& run) {
    TextPlacement at = placeText(dc.textAlign, x, y, run.width, font.face->metrics());
    PixelRect clip = bitmap.bounds();
    if (rect && (options & ETO_CLIPPED)) clip = intersect(clip, pixelRectOf(*rect));
    if (rect && (options & ETO_OPAQUE)) fillPixels(bitmap, pixelRectOf(*rect), dc.backgroundColor);
    if (dc.backgroundMode == OPAQUE)
        fillPixels(bitmap, intersect(at.cell, clip), dc.backgroundColor);
    // GDI keeps glyphs inside the cell's rows: nothing above the ascent or below the descent.
    PixelRect glyphClip = intersect(clip, {clip.left, at.cell.top, clip.right, at.cell.bottom});
    drawGlyphs(bitmap, run, at, *font.face, dc.textColor, glyphClip);
    drawDecorations(bitmap, at, font, dc.textColor, glyphClip);
}

}  // namespace

BOOL GetTextExtentPoint32A(HDC dc, LPCSTR text, int count, SIZE* size) {
    const FontRecord* font = selectedFont(dc);
    if (!font || !size || count < 0 || (!text && count > 0)) return FALSE;
    TextRun run = layOutText(*font->face, text, UINT(count), nullptr);
    const FaceMetrics& metrics = font->face->metrics();
    *size = {run.width, metrics.ascent + metrics.descent};
    return TRUE;
}

BOOL ExtTextOutA(HDC dc, int x, int y, UINT options, const RECT* rect, LPCSTR text, UINT count,
                 const INT* widths) {
    auto* context = liveRecord<DeviceContextRecord>(dc);
    const FontRecord* font = selectedFont(dc);
    if (!context || !font || (!text && count > 0)) return FALSE;
    auto* bitmap = liveRecord<BitmapRecord>(context->bitmap);
    if (!bitmap || !bitmap->hasPixels()) return TRUE;
    TextRun run = layOutText(*font->face, text, count, widths);
    drawText(*context, *bitmap, *font, x, y, options, rect, run);
    return TRUE;
}

BOOL TextOutA(HDC dc, int x, int y, LPCSTR text, int count) {
    if (count < 0) return FALSE;
    return ExtTextOutA(dc, x, y, 0, nullptr, text, UINT(count), nullptr);
}

// Measuring and drawing 8-bit strings with the DC's font.
#pragma once

#include "platform/gdi/gdidef.h"

// cx: the sum of the characters' advance widths (whole pixels, hinted as
// GDI hints); cy: the cell height (ascent plus descent). FALSE for a bad DC,
// a null size, or a null string with a count.
BOOL GetTextExtentPoint32A(HDC dc, LPCSTR text, int count, SIZE* size);

// Draws the string at (x, y) as the DC's text alignment places it, into the
// DC's 32-bit DIB section, clipped to it: in OPAQUE background mode the
// character cells are first filled with the background colour, then the
// glyphs are blended in the text colour (antialiased), with underline and
// strike-out as the font asks. Glyph pixels above the ascent or below the
// descent are clipped, as GDI does. ETO_OPAQUE fills *rect with the
// background colour; ETO_CLIPPED clips the text to *rect. widths, when given,
// are the pen advances. Nothing is drawn while the stock 1 x 1 bitmap is
// selected. FALSE for a bad DC or a null string with a count.
BOOL ExtTextOutA(HDC dc, int x, int y, UINT options, const RECT* rect, LPCSTR text, UINT count,
                 const INT* widths);
BOOL TextOutA(HDC dc, int x, int y, LPCSTR text, int count);

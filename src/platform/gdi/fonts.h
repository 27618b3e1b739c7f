// Logical fonts over fontconfig and FreeType, and what the selected font of
// a DC reports.
#pragma once

#include "platform/gdi/gdidef.h"

// The font is resolved at once: fontconfig finds the face (an unknown name
// falls back to its default sans face) with the weight (700 and up bold) and
// italic flag; a face lacking them is emboldened or slanted, as GDI does.
// Height < 0: em height in pixels; > 0: cell height; 0: a cell of 16 pixels.
// Width, escapement, orientation, character set, precisions and pitch are
// accepted and not used. Quality NONANTIALIASED_QUALITY draws black and white;
// the others draw antialiased where the font's 'gasp' table asks for it.
// Null only when no face file can be loaded at all.
HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision,
                  DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily, LPCSTR faceName);
HFONT CreateFontIndirectA(const LOGFONTA* font);

// Metrics of the DC's font; FALSE for a bad DC or a null pointer.
BOOL GetTextMetricsA(HDC dc, TEXTMETRICA* metrics);
// The family of the face the DC's font resolved to (e.g. "Liberation Sans"
// for "Arial"). Copies at most count - 1 characters and a terminating zero
// and returns the number of characters copied, the zero not counted; with a
// null buffer, returns the name's length plus one. 0 on failure.
int GetTextFaceA(HDC dc, int count, LPSTR faceName);

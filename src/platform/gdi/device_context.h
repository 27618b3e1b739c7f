// Memory device contexts and their text attributes.
#pragma once

#include "platform/gdi/gdidef.h"

// A memory DC holding the stock 1 x 1 monochrome bitmap and the system font.
// The reference DC may be null (the screen) or a live DC; null otherwise.
HDC CreateCompatibleDC(HDC reference);
// Frees the DC; its selected objects stay alive unless deleted meanwhile.
BOOL DeleteDC(HDC dc);

// LOGPIXELSX and LOGPIXELSY are 96; BITSPIXEL 32, PLANES 1, TECHNOLOGY
// DT_RASDISPLAY; other indices 0.
int GetDeviceCaps(HDC dc, int index);

// Only MM_TEXT is provided: returns the previous mode, 0 for other modes.
int SetMapMode(HDC dc, int mode);
// The previous colour; CLR_INVALID for a bad DC.
COLORREF SetTextColor(HDC dc, COLORREF color);
COLORREF SetBkColor(HDC dc, COLORREF color);
// TRANSPARENT or OPAQUE; the previous mode, 0 on failure.
int SetBkMode(HDC dc, int mode);
// TA_* flags; the previous alignment, GDI_ERROR for a bad DC. TA_UPDATECP is
// kept but not acted on: text is always drawn at the given point.
UINT SetTextAlign(HDC dc, UINT align);

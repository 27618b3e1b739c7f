// Selecting bitmaps and fonts into a device context, and deleting them.
#pragma once

#include "platform/gdi/gdidef.h"

// Selects a bitmap or a font into the DC and returns the one it replaces;
// null for a bad DC or object, or a bitmap already selected into another DC.
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);

// FALSE for a bad handle and for an object still selected into a DC (as GDI
// documents); such an object is then freed when its last DC lets go of it,
// so deleting a bitmap before its DC does not leak it.
BOOL DeleteObject(HGDIOBJ object);

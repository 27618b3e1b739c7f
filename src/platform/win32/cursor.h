// The mouse cursor: visibility and position in screen and client
// coordinates.
#pragma once

#include "platform/win32/windef.h"

inline LPCSTR const IDC_ARROW = MAKEINTRESOURCEA(32512);

// Only the standard arrow is known; null for any other cursor.
HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR cursorName);
// A null cursor hides the pointer over the windows, any other shows it.
// Returns the previous cursor.
HCURSOR SetCursor(HCURSOR cursor);
BOOL GetCursorPos(POINT* point);
BOOL SetCursorPos(int x, int y);
// Screen coordinates to the client coordinates of the window.
BOOL ScreenToClient(HWND window, POINT* point);

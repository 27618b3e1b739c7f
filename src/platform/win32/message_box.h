// Message boxes: an SDL message box; where none can be shown (no display)
// the caption and text go to standard error instead.
#pragma once

#include "platform/win32/windef.h"

constexpr UINT MB_OK = 0x00000000;
constexpr UINT MB_ICONERROR = 0x00000010;
constexpr UINT MB_ICONWARNING = 0x00000030;
constexpr UINT MB_ICONINFORMATION = 0x00000040;

constexpr int IDOK = 1;

// Shows the text and waits for the viewer; returns IDOK.
int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

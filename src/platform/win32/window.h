// Windows: classes, creation, placement and style, at Win32 values.
#pragma once

#include <cstdint>

#include "platform/win32/messages.h"
#include "platform/win32/windef.h"

constexpr DWORD WS_OVERLAPPED = 0x00000000;
constexpr DWORD WS_POPUP = 0x80000000;
constexpr DWORD WS_CHILD = 0x40000000;
constexpr DWORD WS_MINIMIZE = 0x20000000;
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr DWORD WS_DISABLED = 0x08000000;
constexpr DWORD WS_MAXIMIZE = 0x01000000;
constexpr DWORD WS_BORDER = 0x00800000;
constexpr DWORD WS_DLGFRAME = 0x00400000;
constexpr DWORD WS_CAPTION = WS_BORDER | WS_DLGFRAME;
constexpr DWORD WS_SYSMENU = 0x00080000;
constexpr DWORD WS_THICKFRAME = 0x00040000;
constexpr DWORD WS_MINIMIZEBOX = 0x00020000;
constexpr DWORD WS_MAXIMIZEBOX = 0x00010000;

constexpr int GWL_STYLE = -16;
constexpr int GWL_EXSTYLE = -20;

constexpr int CW_USEDEFAULT = int(0x80000000u);

inline const HWND HWND_TOP = nullptr;
inline const HWND HWND_TOPMOST = reinterpret_cast<HWND>(std::intptr_t(-1));
inline const HWND HWND_NOTOPMOST = reinterpret_cast<HWND>(std::intptr_t(-2));

// Flags of SetWindowPos.
constexpr UINT SWP_NOSIZE = 0x0001;
constexpr UINT SWP_NOMOVE = 0x0002;
constexpr UINT SWP_NOZORDER = 0x0004;
constexpr UINT SWP_NOACTIVATE = 0x0010;
constexpr UINT SWP_FRAMECHANGED = 0x0020;
constexpr UINT SWP_SHOWWINDOW = 0x0040;
constexpr UINT SWP_HIDEWINDOW = 0x0080;

// Commands of ShowWindow.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOWMINIMIZED = 2;
constexpr int SW_MAXIMIZE = 3;
constexpr int SW_SHOW = 5;
constexpr int SW_MINIMIZE = 6;
constexpr int SW_RESTORE = 9;

struct HBRUSH__;
using HBRUSH = HBRUSH__*;
struct HICON__;
using HICON = HICON__*;
struct HMENU__;
using HMENU = HMENU__*;

struct WNDCLASSA {
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCSTR lpszMenuName;
    LPCSTR lpszClassName;
};

constexpr int BLACK_BRUSH = 4;
// A stock object; only the black brush is known.
HBRUSH GetStockObject(int object);

// Registers a window class by name; 0 when the name is missing or taken.
ATOM RegisterClassA(const WNDCLASSA* windowClass);
// Creates a window of a registered class: the size is the outer size,
// frame included. Null when the class is unknown or the window system
// cannot make a window (see windowSystemError()). WS_VISIBLE shows it.
HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR title, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     void* param);
BOOL DestroyWindow(HWND window);
BOOL IsWindow(HWND window);
// The outer rectangle in screen coordinates.
BOOL GetWindowRect(HWND window, RECT* rect);
// The client rectangle: origin 0,0 and the client size.
BOOL GetClientRect(HWND window, RECT* rect);
// Moves and sizes the outer rectangle. The z-order argument is accepted
// and not acted on.
BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags);
BOOL ShowWindow(HWND window, int command);
// Only GWL_STYLE and GWL_EXSTYLE are kept; other indices read 0.
LONG GetWindowLongA(HWND window, int index);
LONG SetWindowLongA(HWND window, int index, LONG value);
// Grows a client rectangle to the outer rectangle of a window with this
// style (and a menu bar when hasMenu), using the frame metrics below.
BOOL AdjustWindowRect(RECT* rect, DWORD style, BOOL hasMenu);

// Fixed frame metrics, the classic Windows values: caption bar and menu bar
// 19 pixels high, a sizing frame (WS_THICKFRAME) 4 pixels wide, a dialog
// frame (WS_DLGFRAME) 3, a thin border (WS_BORDER) 1.
constexpr LONG captionBarHeight = 19;
constexpr LONG menuBarHeight = 19;
constexpr LONG sizingFrameWidth = 4;
constexpr LONG dialogFrameWidth = 3;
constexpr LONG thinBorderWidth = 1;

// How far the outer rectangle extends beyond the client area on each side.
RECT nonClientInsets(DWORD style, bool hasMenu);

// Window creation, placement and style. The record is the truth; the window
// system mirrors it.
#include <string>

#include "platform/win32/window.h"
#include "platform/win32/window_classes.h"
#include "platform/win32/window_record.h"
#include "platform/win32/window_system.h"

namespace {

void initialiseRecord(HWND__& record, const RegisteredClass& windowClass, LPCSTR title, DWORD style,
                      DWORD exStyle) {
    record.className = windowClass.name;
    record.procedure = windowClass.procedure;
    record.classCursor = windowClass.cursor;
    record.title = title ? title : "";
    record.style = style;
    record.exStyle = exStyle;
}

// CW_USEDEFAULT for x leaves the position to the system (0,0 until it says
// otherwise); CW_USEDEFAULT for the width gives no size.
RECT requestedBounds(int x, int y, int width, int height) {
    if (x == CW_USEDEFAULT) x = y = 0;
    if (width == CW_USEDEFAULT) width = height = 0;
    return {x, y, x + width, y + height};
}

}  // namespace

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR title, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     void* param) {
    auto windowClass = findWindowClass(className);
    if (!windowClass) return nullptr;
    HWND window = addWindowRecord();
    initialiseRecord(*window, *windowClass, title, style, exStyle);
    window->bounds = requestedBounds(x, y, width, height);
    if (!windowSystem().open(window, x == CW_USEDEFAULT)) {
        window->alive = false;
        return nullptr;
    }
    if (SendMessageA(window, WM_CREATE, 0, 0) == -1) {
        DestroyWindow(window);
        return nullptr;
    }
    return window;
}

BOOL DestroyWindow(HWND window) {
    if (!liveWindow(window)) return FALSE;
    SendMessageA(window, WM_DESTROY, 0, 0);
    windowSystem().close(window);
    window->alive = false;
    return TRUE;
}

BOOL IsWindow(HWND window) {
    return liveWindow(window) ? TRUE : FALSE;
}

BOOL GetWindowRect(HWND window, RECT* rect) {
    HWND__* record = liveWindow(window);
    if (!record || !rect) return FALSE;
    *rect = record->bounds;
    return TRUE;
}

BOOL GetClientRect(HWND window, RECT* rect) {
    HWND__* record = liveWindow(window);
    if (!record || !rect) return FALSE;
    RECT client = clientBoundsOnScreen(*record);
    *rect = {0, 0, client.right - client.left, client.bottom - client.top};
    return TRUE;
}

BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags) {
    HWND__* record = liveWindow(window);
    if (!record) return FALSE;
    const RECT& old = record->bounds;
    LONG left = (flags & SWP_NOMOVE) ? old.left : x;
    LONG top = (flags & SWP_NOMOVE) ? old.top : y;
    LONG newWidth = (flags & SWP_NOSIZE) ? old.right - old.left : width;
    LONG newHeight = (flags & SWP_NOSIZE) ? old.bottom - old.top : height;
    record->bounds = {left, top, left + newWidth, top + newHeight};
    windowSystem().place(window);
    if (flags & SWP_SHOWWINDOW) ShowWindow(window, SW_SHOW);
    if (flags & SWP_HIDEWINDOW) ShowWindow(window, SW_HIDE);
    return TRUE;
}

BOOL ShowWindow(HWND window, int command) {
    HWND__* record = liveWindow(window);
    if (!record) return FALSE;
    bool wasVisible = record->style & WS_VISIBLE;
    if (command == SW_HIDE)
        record->style &= ~WS_VISIBLE;
    else
        record->style |= WS_VISIBLE;
    windowSystem().show(window, command);
    return wasVisible ? TRUE : FALSE;
}

LONG GetWindowLongA(HWND window, int index) {
    HWND__* record = liveWindow(window);
    if (!record) return 0;
    if (index == GWL_STYLE) return LONG(record->style);
    if (index == GWL_EXSTYLE) return LONG(record->exStyle);
    return 0;
}

// The outer rectangle stays where it is; the client area follows the new
// frame.
LONG SetWindowLongA(HWND window, int index, LONG value) {
    HWND__* record = liveWindow(window);
    if (!record) return 0;
    LONG previous = GetWindowLongA(window, index);
    if (index == GWL_STYLE) record->style = DWORD(value);
    if (index == GWL_EXSTYLE) record->exStyle = DWORD(value);
    windowSystem().place(window);
    return previous;
}

#include "platform/win32/cursor.h"

#include "platform/win32/window_record.h"
#include "platform/win32/window_system.h"

namespace {

struct CursorState {
    int arrow = 0;  // its address is the arrow's handle
    HCURSOR current = nullptr;
};

CursorState& cursorState() {
    static CursorState instance{0, reinterpret_cast<HCURSOR>(&instance.arrow)};
    return instance;
}

}  // namespace

HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR cursorName) {
    if (cursorName != IDC_ARROW) return nullptr;
    return reinterpret_cast<HCURSOR>(&cursorState().arrow);
}

HCURSOR SetCursor(HCURSOR cursor) {
    HCURSOR previous = cursorState().current;
    cursorState().current = cursor;
    windowSystem().setCursorVisible(cursor != nullptr);
    return previous;
}

BOOL GetCursorPos(POINT* point) {
    if (!point) return FALSE;
    *point = windowSystem().cursorPosition();
    return TRUE;
}

BOOL SetCursorPos(int x, int y) {
    windowSystem().setCursorPosition({x, y});
    return TRUE;
}

BOOL ScreenToClient(HWND window, POINT* point) {
    HWND__* record = liveWindow(window);
    if (!record || !point) return FALSE;
    RECT client = clientBoundsOnScreen(*record);
    point->x -= client.left;
    point->y -= client.top;
    return TRUE;
}

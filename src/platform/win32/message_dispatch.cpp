// Delivering messages to window procedures, and the default handling.
#include "platform/win32/cursor.h"
#include "platform/win32/messages.h"
#include "platform/win32/virtual_keys.h"
#include "platform/win32/window.h"
#include "platform/win32/window_record.h"

LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND__* record = liveWindow(window);
    if (!record || !record->procedure) return 0;
    return record->procedure(window, message, wParam, lParam);
}

// Messages of the thread (no window) and of windows destroyed since they
// were queued go nowhere.
LRESULT DispatchMessageA(const MSG* msg) {
    if (!msg) return 0;
    return SendMessageA(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

// Character messages are not produced: nothing in the system reads them.
// Key-down messages count as translated, as on Windows.
BOOL TranslateMessage(const MSG* msg) {
    if (!msg) return FALSE;
    return msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN;
}

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CLOSE:
            DestroyWindow(window);
            return 0;
        case WM_SYSKEYDOWN:
            if (wParam == VK_F4 && (lParam & KF_ALTDOWN_BIT))
                SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
            return 0;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_CLOSE) SendMessageA(window, WM_CLOSE, 0, 0);
            if ((wParam & 0xFFF0) == SC_MINIMIZE) ShowWindow(window, SW_MINIMIZE);
            if ((wParam & 0xFFF0) == SC_RESTORE) ShowWindow(window, SW_RESTORE);
            return 0;
        case WM_NCHITTEST:
            return HTCLIENT;
        case WM_SETCURSOR:
            if (HWND__* record = liveWindow(window)) SetCursor(record->classCursor);
            return TRUE;
        default:
            return 0;
    }
}

// The framework's handling of window messages; everything it does not take
// over goes on to the default handling.
#include "framework/frame_timer.h"
#include "framework/graphics_app.h"
#include "platform/win32/accelerators.h"
#include "platform/win32/cursor.h"
#include "platform/win32/messages.h"
#include "platform/win32/window.h"

namespace {

// System commands a full-screen device must not be disturbed by. The whole
// wParam is compared.
bool isSuppressedInFullScreen(WPARAM command) {
    return command == SC_SIZE || command == SC_MOVE || command == SC_MAXIMIZE ||
           command == SC_KEYMENU || command == SC_MONITORPOWER;
}

}  // namespace

LRESULT GraphicsApp::handleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE:
            active = !(wParam == SIZE_MINIMIZED || wParam == SIZE_MAXHIDE);
            break;
        case WM_PAINT:  // while paused, show the last frame again
            if (device && !ready && windowed) device->Present(nullptr, nullptr, nullptr, nullptr);
            break;
        case WM_CLOSE:
            shutdownDevice();
            DestroyWindow(hwnd);
            PostQuitMessage(0);
            return 0;
        case WM_SETCURSOR:
            if (active && ready && !windowed) return onSetCursor();
            break;
        case WM_GETMINMAXINFO:
            if (lParam) reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {100, 100};
            break;
        case WM_NCHITTEST:
            if (!windowed) return HTCLIENT;
            break;
        case WM_COMMAND:  // 40002, Alt+Enter, is left to the default: no effect
            if (LOWORD(wParam) == IDM_EXIT) {
                SendMessageA(hwnd, WM_CLOSE, 0, 0);
                return 0;
            }
            break;
        case WM_SYSCOMMAND:
            if (isSuppressedInFullScreen(wParam) && !windowed) return 1;
            break;
        case WM_MOUSEMOVE:
            if (active && ready && device) onMouseMove();
            break;
        case WM_POWERBROADCAST:
            if (wParam == PBT_APMQUERYSUSPEND || wParam == PBT_APMRESUMESUSPEND) return TRUE;
            break;
        case WM_ENTERSIZEMOVE:
            onEnterSizeMove();
            break;
        case WM_EXITSIZEMOVE:
            onExitSizeMove();
            break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT GraphicsApp::onSetCursor() {
    SetCursor(nullptr);
    if (showCursorWhenFullscreen) device->ShowCursor(TRUE);
    return TRUE;
}

void GraphicsApp::onMouseMove() {
    POINT cursor{};
    GetCursorPos(&cursor);
    ScreenToClient(window, &cursor);
    device->SetCursorPosition(int(cursor.x), int(cursor.y), 0);
}

// Time stands still while the window is moved or sized. When the move ends
// the clock runs again, unless it was already stopped for another reason
// (a pause, or the application holding it) before the move began.
void GraphicsApp::onEnterSizeMove() {
    sizeMoveStoppedClock_ = !frameTimer().stopped();
    frameTimer()(TIMER_STOP);
}

void GraphicsApp::onExitSizeMove() {
    if (sizeMoveStoppedClock_ && pauseCount_ == 0 && frameTimer().stopped())
        frameTimer()(TIMER_START);
    sizeMoveStoppedClock_ = false;
}

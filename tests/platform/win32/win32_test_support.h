// Helpers for tests of the Win32 layer on the null window system.
#pragma once

#include <string>
#include <vector>

#include "platform/win32/win32.h"

// Empties the process's message queue, the quit request included.
void drainMessageQueue();

// A window class whose procedure records every message and hands it to
// DefWindowProcA; the records are shared by all windows of the class.
struct SeenMessage {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
std::vector<SeenMessage>& seenMessages();
LPCSTR recordingClassName();  // registered on first use

// A window of that class on the null window system.
HWND createRecordingWindow(DWORD style = WS_OVERLAPPED | WS_VISIBLE, int width = 200,
                           int height = 100);

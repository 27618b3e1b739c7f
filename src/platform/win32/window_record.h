// What a window handle points to: the window's own record.
#pragma once

#include <string>
#include <vector>

#include "platform/win32/messages.h"
#include "platform/win32/windef.h"

struct SDL_Window;

struct HWND__ {
    std::string className;
    WNDPROC procedure = nullptr;
    HCURSOR classCursor = nullptr;
    std::string title;
    DWORD style = 0;
    DWORD exStyle = 0;
    RECT bounds{};  // outer rectangle, screen coordinates
    bool alive = true;
    SDL_Window* sdlWindow = nullptr;  // SDL window system only
};

// Windows never hand out a handle twice: records stay allocated (marked
// dead) after DestroyWindow, so a stale handle is recognised, not reused.
HWND addWindowRecord();
// The record of a live window; null for null, dead or unknown handles.
HWND__* liveWindow(HWND window);
bool anyLiveWindow();
std::vector<HWND> liveWindows();

// The client rectangle in screen coordinates.
RECT clientBoundsOnScreen(const HWND__& window);
// Sets the outer rectangle from a client rectangle in screen coordinates.
void setClientBoundsOnScreen(HWND__& window, const RECT& client);

// What an SDL event means as window messages. Pure: no display needed.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <vector>

#include "platform/win32/messages.h"

struct EventMessage {
    std::uint32_t windowId = 0;  // SDL window id of the target
    bool toAllWindows = false;   // SDL_QUIT: every window is asked to close
    UINT message = WM_NULL;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

// Keys → WM_KEYDOWN/WM_KEYUP (WM_SYSKEYDOWN/WM_SYSKEYUP while Alt is held
// and for F10), mouse motion → WM_SETCURSOR then WM_MOUSEMOVE, the pointer
// entering a window → WM_SETCURSOR, window
// shown/restored/resized → WM_SIZE SIZE_RESTORED, maximised →
// SIZE_MAXIMIZED, minimised → SIZE_MINIMIZED, hidden → SIZE_MAXHIDE, moved →
// WM_MOVE, exposed → WM_PAINT, close request and SDL_QUIT → WM_CLOSE.
// Everything else, keys without a virtual-key code included, means nothing.
std::vector<EventMessage> messagesForSdlEvent(const SDL_Event& event);

// The virtual-key code of an SDL key; 0 when it has none.
WPARAM virtualKeyOf(SDL_Keycode key);

#include "platform/win32/window_handle.h"

// Placeholder until the window layer lands: no handle has an SDL window yet.
SDL_Window* sdlWindowOf(HWND) { return nullptr; }

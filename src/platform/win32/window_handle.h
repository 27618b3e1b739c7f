// The SDL window behind a window handle, for the OpenGL backend.
#pragma once

#include "platform/win32/windef.h"

struct SDL_Window;

// Null for a null handle and for windows of the null window system.
SDL_Window* sdlWindowOf(HWND window);

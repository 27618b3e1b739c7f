// The two window systems behind the window calls.
#pragma once

#include "platform/win32/window_system.h"

WindowSystem& nullWindowSystem();
WindowSystem& sdlWindowSystem();

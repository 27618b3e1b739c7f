#include "platform/win32/window_handle.h"

#include "platform/win32/window_record.h"

SDL_Window* sdlWindowOf(HWND window) {
    HWND__* record = liveWindow(window);
    return record ? record->sdlWindow : nullptr;
}

#include "platform/win32/timers.h"

#include <SDL.h>

#include <chrono>
#include <thread>

BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency) {
    if (!frequency) return FALSE;
    frequency->QuadPart = std::int64_t(SDL_GetPerformanceFrequency());
    return frequency->QuadPart != 0;
}

BOOL QueryPerformanceCounter(LARGE_INTEGER* counter) {
    if (!counter) return FALSE;
    counter->QuadPart = std::int64_t(SDL_GetPerformanceCounter());
    return TRUE;
}

// Counted from the monotonic clock's origin (system start on Linux), so it
// is far from 0 like the Windows timer.
DWORD timeGetTime() {
    auto sinceOrigin = std::chrono::steady_clock::now().time_since_epoch();
    return DWORD(std::chrono::duration_cast<std::chrono::milliseconds>(sinceOrigin).count());
}

void Sleep(DWORD milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

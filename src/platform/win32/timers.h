// Time: the high-resolution performance counter (SDL's), the millisecond
// system timer and sleeping.
#pragma once

#include <cstdint>

#include "platform/win32/windef.h"

struct LARGE_INTEGER {
    std::int64_t QuadPart;
};

BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency);
BOOL QueryPerformanceCounter(LARGE_INTEGER* counter);
// Milliseconds since the process started; wraps around like the original.
DWORD timeGetTime();
void Sleep(DWORD milliseconds);

// Threads: a detached std::thread behind the Win32 call.
#pragma once

#include <cstddef>

#include "platform/win32/windef.h"

using LPTHREAD_START_ROUTINE = DWORD(WINAPI*)(void* parameter);

// Starts routine(parameter) on a new thread that runs until it returns. The
// attributes, stack size and creation flags are ignored. Returns a handle
// that only CloseHandle needs; null when no thread could be started.
HANDLE CreateThread(void* attributes, std::size_t stackSize, LPTHREAD_START_ROUTINE routine,
                    void* parameter, DWORD creationFlags, DWORD* threadId);
BOOL CloseHandle(HANDLE handle);

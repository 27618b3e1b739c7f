#include "platform/win32/threads.h"

#include <atomic>
#include <cstdint>
#include <system_error>
#include <thread>

HANDLE CreateThread(void* attributes, std::size_t stackSize, LPTHREAD_START_ROUTINE routine,
                    void* parameter, DWORD creationFlags, DWORD* threadId) {
    if (!routine) return nullptr;
    try {
        std::thread(routine, parameter).detach();
    } catch (const std::system_error&) {
        return nullptr;
    }
    static std::atomic<DWORD> nextId{1};
    DWORD id = nextId++;
    if (threadId) *threadId = id;
    return reinterpret_cast<HANDLE>(std::uintptr_t(id));
}

BOOL CloseHandle(HANDLE handle) {
    return handle ? TRUE : FALSE;
}

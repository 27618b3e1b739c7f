#include "platform/win32/quit_requests.h"

#include <csignal>

#include "platform/win32/timers.h"
#include "platform/win32/window_system.h"

namespace {

volatile std::sig_atomic_t signalled = 0;

extern "C" void noteQuitSignal(int) {
    signalled = 1;
}

constexpr DWORD kInputLookInterval = 50;  // milliseconds

}  // namespace

void installQuitSignals() {
    struct sigaction action {};
    action.sa_handler = noteQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

bool quitSignalled() {
    return signalled != 0;
}

void clearQuitSignal() {
    signalled = 0;
}

bool quitRequested() {
    if (quitSignalled()) return true;
    static DWORD lastLook = 0;
    const DWORD now = timeGetTime();
    if (now - lastLook < kInputLookInterval) return false;
    lastLook = now;
    return windowSystem().closeRequestPending();
}

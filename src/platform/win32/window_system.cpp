// Which window system the window calls use, chosen before the first window.
#include "platform/win32/window_system.h"

#include "platform/win32/window_record.h"
#include "platform/win32/window_systems.h"

namespace {

WindowSystem*& chosenSystem() {
    static WindowSystem* chosen = nullptr;
    return chosen;
}

bool choose(WindowSystem& system) {
    if (chosenSystem() != &system && anyLiveWindow()) return false;
    chosenSystem() = &system;
    return true;
}

}  // namespace

bool useNullWindowSystem() {
    return choose(nullWindowSystem());
}
bool useSdlWindowSystem() {
    return choose(sdlWindowSystem());
}
bool nullWindowSystemInUse() {
    return &windowSystem() == &nullWindowSystem();
}

WindowSystem& windowSystem() {
    if (!chosenSystem()) chosenSystem() = &sdlWindowSystem();
    return *chosenSystem();
}

std::string windowSystemError() {
    return windowSystem().lastError();
}

#include "platform/win32/module.h"

HMODULE GetModuleHandleA(LPCSTR moduleName) {
    static int executable;  // its address is the executable's handle
    return moduleName ? nullptr : reinterpret_cast<HMODULE>(&executable);
}

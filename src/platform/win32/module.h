// Module handles: the executable is the only module.
#pragma once

#include "platform/win32/windef.h"

// The executable's handle for a null name; null for any other module.
HMODULE GetModuleHandleA(LPCSTR moduleName);

// The registered window classes, by name.
#pragma once

#include <optional>
#include <string>

#include "platform/win32/window.h"

struct RegisteredClass {
    std::string name;
    WNDPROC procedure = nullptr;
    HCURSOR cursor = nullptr;
};

// By name (compared without regard to case) or by the atom RegisterClassA
// returned, passed as MAKEINTRESOURCEA(atom).
std::optional<RegisteredClass> findWindowClass(LPCSTR nameOrAtom);

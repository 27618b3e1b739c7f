#include "platform/win32/message_box.h"

#include <cstdio>

#include "platform/win32/window_system.h"

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    if (!text) text = "";
    if (!caption) caption = "Error";
    if (!windowSystem().showMessageBox(owner, text, caption, type))
        std::fprintf(stderr, "%s: %s\n", caption, text);
    return IDOK;
}

#include "platform/win32/accelerators.h"

#include <cstdint>
#include <span>

#include "platform/win32/virtual_keys.h"
#include "platform/win32/window.h"

namespace {

constexpr ACCEL mainTable[] = {
    {FVIRTKEY, WORD(VK_ESCAPE), IDM_EXIT},
    {FVIRTKEY | FALT, WORD(VK_F4), IDM_EXIT},
    {FVIRTKEY | FALT, WORD(VK_RETURN), IDM_TOGGLEFULLSCREEN},
};

struct AcceleratorTable {
    std::span<const ACCEL> entries;
};

const AcceleratorTable mainAccelerators{mainTable};

const AcceleratorTable* tableOf(HACCEL handle) {
    return reinterpret_cast<const AcceleratorTable*>(handle);
}

bool isKeyDown(UINT message) {
    return message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
}

const ACCEL* findEntry(const AcceleratorTable& table, const MSG& msg) {
    bool altDown = msg.lParam & KF_ALTDOWN_BIT;
    for (const ACCEL& entry : table.entries) {
        bool wantsAlt = entry.fVirt & FALT;
        if (entry.key == msg.wParam && wantsAlt == altDown) return &entry;
    }
    return nullptr;
}

}  // namespace

HACCEL LoadAcceleratorsA(HINSTANCE instance, LPCSTR tableName) {
    if (tableName != MAKEINTRESOURCEA(IDR_MAIN_ACCEL)) return nullptr;
    return reinterpret_cast<HACCEL>(const_cast<AcceleratorTable*>(&mainAccelerators));
}

int TranslateAcceleratorA(HWND window, HACCEL table, MSG* msg) {
    if (!table || !msg || !isKeyDown(msg->message) || !IsWindow(window)) return 0;
    const ACCEL* entry = findEntry(*tableOf(table), *msg);
    if (!entry) return 0;
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(entry->cmd, 1), 0);
    return 1;
}

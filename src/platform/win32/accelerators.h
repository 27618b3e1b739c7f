// Keyboard accelerators. The executable carries one table, resource 109:
// Esc and Alt+F4 give command 40001, Alt+Enter command 40002.
#pragma once

#include "platform/win32/messages.h"
#include "platform/win32/windef.h"

constexpr WORD IDR_MAIN_ACCEL = 109;
constexpr WORD IDM_EXIT = 40001;
constexpr WORD IDM_TOGGLEFULLSCREEN = 40002;

// Flags of an accelerator entry.
constexpr BYTE FVIRTKEY = 0x01;
constexpr BYTE FALT = 0x10;

struct ACCEL {
    BYTE fVirt;
    WORD key;
    WORD cmd;
};

// The table of that number; null for any other name.
HACCEL LoadAcceleratorsA(HINSTANCE instance, LPCSTR tableName);
// A key-down message matching an entry of the table (Alt taken from bit 29
// of lParam) becomes WM_COMMAND with the entry's command in the low word and
// 1 in the high word, sent to the window; returns nonzero then.
int TranslateAcceleratorA(HWND window, HACCEL table, MSG* msg);

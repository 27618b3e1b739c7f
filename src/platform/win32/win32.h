// The Win32 subset the system uses, over SDL2.
#pragma once

#include "platform/win32/accelerators.h"
#include "platform/win32/cursor.h"
#include "platform/win32/message_box.h"
#include "platform/win32/messages.h"
#include "platform/win32/module.h"
#include "platform/win32/threads.h"
#include "platform/win32/timers.h"
#include "platform/win32/virtual_keys.h"
#include "platform/win32/windef.h"
#include "platform/win32/window.h"
#include "platform/win32/window_system.h"

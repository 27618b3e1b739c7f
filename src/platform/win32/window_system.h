// What stands behind the window calls: SDL (real windows and input) or the
// null window system (windows are plain records and messages come only from
// PostMessageA and SendMessageA; for tests and for tools that want no
// window). The choice is made once, before the first window.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/win32/messages.h"
#include "platform/win32/windef.h"

// Selects the system; refused (false) while a window exists. SDL is the
// default.
bool useNullWindowSystem();
bool useSdlWindowSystem();
bool nullWindowSystemInUse();

// Why the last window could not be created.
std::string windowSystemError();

// The narrow interface the window calls are written against.
class WindowSystem {
  public:
    virtual ~WindowSystem() = default;
    // Makes the native side of a new window from its record (bounds, style,
    // title). With defaultPosition the system places it and updates the
    // record. False when no window can be made; lastError() says why.
    virtual bool open(HWND window, bool defaultPosition) = 0;
    virtual void close(HWND window) = 0;
    // The record's bounds, style or title changed.
    virtual void place(HWND window) = 0;
    virtual void show(HWND window, int command) = 0;
    // Appends the messages that pending input stands for.
    virtual void collectInput(std::vector<MSG>& messages) = 0;
    // How long a waiting GetMessageA may sleep before looking at input
    // again; none when input only arrives through the queue itself.
    virtual std::optional<int> inputPollMilliseconds() const = 0;
    // False when no box can be shown.
    virtual bool showMessageBox(HWND owner, const char* text, const char* caption, UINT type) = 0;
    virtual POINT cursorPosition() = 0;
    virtual void setCursorPosition(POINT point) = 0;
    virtual void setCursorVisible(bool visible) = 0;
    // Whether the input holds a window close or an Esc press, without
    // taking anything out of it.
    virtual bool closeRequestPending() = 0;
    virtual std::string lastError() const = 0;
};

WindowSystem& windowSystem();

// A private X server (Xvfb on a display number it picks itself) and the
// viewer's side of it: finding a window by its title, and typing keys
// through XTest as a keyboard would.
#pragma once

#include <X11/Xlib.h>
#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

class XTestDisplay {
  public:
    // Starts Xvfb and connects to it; ready() is false when either failed.
    XTestDisplay();
    ~XTestDisplay();
    XTestDisplay(const XTestDisplay&) = delete;
    XTestDisplay& operator=(const XTestDisplay&) = delete;

    bool ready() const { return connection_ != nullptr; }
    // ":N", for DISPLAY.
    const std::string& name() const { return name_; }

    // Waits until a viewable top-level window with that title exists and,
    // if the client gives it the keyboard, has it. False after the timeout.
    bool waitForWindow(const std::string& title, std::chrono::milliseconds timeout);
    // Presses and releases each key in turn (X key symbols).
    void typeKeys(const std::vector<KeySym>& keys);
    // Top-level windows that became viewable since the last call.
    int takeMappedTopLevels();

  private:
    Window findViewable(const std::string& title);
    bool hasFocus(Window window);

    pid_t server_ = -1;
    std::string name_;
    Display* connection_ = nullptr;
};

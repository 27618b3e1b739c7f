// A private X server for the setup window's tests (Xvfb on a display number
// it picks itself), and a viewer at its keyboard: waiting for a window by
// its title and typing keys through XTest.
#pragma once

#include <X11/Xlib.h>
#include <sys/types.h>

#include <string>
#include <vector>

class XKeyboard {
  public:
    // Starts Xvfb and connects; ready() is false when either failed.
    XKeyboard();
    ~XKeyboard();
    XKeyboard(const XKeyboard&) = delete;
    XKeyboard& operator=(const XKeyboard&) = delete;

    bool ready() const { return connection_ != nullptr; }
    const std::string& displayName() const { return name_; }  // ":N"

    // Waits (20 s at most) for a viewable top-level window with that title,
    // then types the keys; false when the window never came.
    bool typeInto(const std::string& title, const std::vector<KeySym>& keys);
    // Top-level windows that became viewable since the last call.
    int takeMappedTopLevels();

  private:
    bool viewable(const std::string& title);

    pid_t server_ = -1;
    std::string name_;
    Display* connection_ = nullptr;
};

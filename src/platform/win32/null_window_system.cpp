// Windows as plain records: nothing is shown and no input arrives; messages
// come only from PostMessageA and SendMessageA. Message boxes cannot be
// shown, so their text goes to standard error.
#include "platform/win32/window_systems.h"

namespace {

class NullWindowSystem : public WindowSystem {
  public:
    bool open(HWND, bool) override { return true; }
    void close(HWND) override {}
    void place(HWND) override {}
    void show(HWND, int) override {}
    void collectInput(std::vector<MSG>&) override {}
    std::optional<int> inputPollMilliseconds() const override { return std::nullopt; }
    bool showMessageBox(HWND, const char*, const char*, UINT) override { return false; }
    POINT cursorPosition() override { return cursor_; }
    void setCursorPosition(POINT point) override { cursor_ = point; }
    void setCursorVisible(bool) override {}
    bool closeRequestPending() override { return false; }
    std::string lastError() const override { return {}; }

  private:
    POINT cursor_{0, 0};
};

}  // namespace

WindowSystem& nullWindowSystem() {
    static NullWindowSystem instance;
    return instance;
}

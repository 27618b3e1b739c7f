// The built-in accelerator table 109: Esc and Alt+F4 give command 40001,
// Alt+Enter 40002; other keys pass through.
#include <gtest/gtest.h>

#include "win32_test_support.h"

namespace {

class Accelerators : public ::testing::Test {
  protected:
    void SetUp() override {
        window = createRecordingWindow();
        table = LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(109));
        seenMessages().clear();
    }
    void TearDown() override { DestroyWindow(window); }

    int translate(UINT message, WPARAM key, bool alt) {
        MSG msg{window, message, key, LPARAM(1) | (alt ? KF_ALTDOWN_BIT : 0), 0, {0, 0}};
        return TranslateAcceleratorA(window, table, &msg);
    }
    // The command of the single WM_COMMAND sent, or -1.
    int sentCommand() const {
        if (seenMessages().size() != 1 || seenMessages()[0].message != WM_COMMAND) return -1;
        EXPECT_EQ(HIWORD(seenMessages()[0].wParam), 1) << "accelerator commands have high word 1";
        return LOWORD(seenMessages()[0].wParam);
    }

    HWND window = nullptr;
    HACCEL table = nullptr;
};

TEST_F(Accelerators, EscapeExits) {
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(translate(WM_KEYDOWN, VK_ESCAPE, false), 1);
    EXPECT_EQ(sentCommand(), 40001);
}

TEST_F(Accelerators, AltF4Exits) {
    EXPECT_EQ(translate(WM_SYSKEYDOWN, VK_F4, true), 1);
    EXPECT_EQ(sentCommand(), 40001);
}

TEST_F(Accelerators, AltEnterAsksForFullScreen) {
    EXPECT_EQ(translate(WM_SYSKEYDOWN, VK_RETURN, true), 1);
    EXPECT_EQ(sentCommand(), 40002);
}

TEST_F(Accelerators, KeysNeedExactlyTheirModifiers) {
    EXPECT_EQ(translate(WM_KEYDOWN, VK_RETURN, false), 0);
    EXPECT_EQ(translate(WM_KEYDOWN, VK_F4, false), 0);
    EXPECT_EQ(translate(WM_SYSKEYDOWN, VK_ESCAPE, true), 0);
    EXPECT_TRUE(seenMessages().empty());
}

TEST_F(Accelerators, OnlyKeyPressesTranslate) {
    EXPECT_EQ(translate(WM_KEYUP, VK_ESCAPE, false), 0);
    EXPECT_EQ(translate(WM_CHAR, VK_ESCAPE, false), 0);
    EXPECT_TRUE(seenMessages().empty());
}

TEST_F(Accelerators, OtherTablesAndDeadWindowsDoNothing) {
    EXPECT_EQ(LoadAcceleratorsA(nullptr, MAKEINTRESOURCEA(110)), nullptr);
    DestroyWindow(window);
    EXPECT_EQ(translate(WM_KEYDOWN, VK_ESCAPE, false), 0);
}

}  // namespace

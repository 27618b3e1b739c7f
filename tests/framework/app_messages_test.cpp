// The message loop and the framework's message handling: closing, keys,
// minimising, full-screen behaviour and fatal error reports.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "app_test_support.h"

namespace {

using Names = std::vector<std::string>;

class AppMessages : public AppTest {
  protected:
    void SetUp() override {
        AppTest::SetUp();
        ASSERT_EQ(create(), S_OK);
        app.hookCalls.clear();
        log.clear();
        clock.stepping = true;
    }
    Names lastHooks(std::size_t count) const {
        Names names = app.hookNames();
        if (names.size() < count) return names;
        return Names(names.end() - long(count), names.end());
    }
    const Names shutdownHooks{"onDeviceLost", "onDeviceDestroyed", "onAppShutdown"};
};

TEST_F(AppMessages, CloseShutsDownInOrderAndRunReturnsZero) {
    PostMessageA(app.window, WM_CLOSE, 0, 0);
    EXPECT_EQ(app.run(), 0);
    EXPECT_EQ(app.hookNames(), shutdownHooks);
    EXPECT_FALSE(IsWindow(app.window));
    EXPECT_EQ(app.device, nullptr);
    EXPECT_EQ(app.direct3d, nullptr);
    EXPECT_TRUE(fullyReleased(log, "Device"));
    EXPECT_TRUE(fullyReleased(log, "Direct3D"));
    EXPECT_FALSE(app.active || app.ready);
}

TEST_F(AppMessages, FramesRenderUntilAFrameFailsThenTheProgramEndsNormally) {
    app.closeAfterFrames = 0;
    app.hookResults["onFrameRender"] = E_FAIL;
    EXPECT_EQ(app.run(), 0);
    EXPECT_EQ(app.framesRendered, 1);
    EXPECT_EQ(lastHooks(3), shutdownHooks);
}

TEST_F(AppMessages, EscapeClosesThroughTheAccelerator) {
    PostMessageA(app.window, WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_EQ(app.run(), 0);
    EXPECT_EQ(app.hookNames(), shutdownHooks);
}

TEST_F(AppMessages, AltF4Closes) {
    PostMessageA(app.window, WM_SYSKEYDOWN, VK_F4, 1 | KF_ALTDOWN_BIT);
    EXPECT_EQ(app.run(), 0);
    EXPECT_EQ(app.hookNames(), shutdownHooks);
}

TEST_F(AppMessages, AltEnterDoesNothing) {
    PostMessageA(app.window, WM_SYSKEYDOWN, VK_RETURN, 1 | KF_ALTDOWN_BIT);
    app.closeAfterFrames = 3;
    EXPECT_EQ(app.run(), 0);
    EXPECT_EQ(app.framesRendered, 3);
    EXPECT_EQ(log.count("Reset"), 0u);
    EXPECT_TRUE(app.windowed);
    EXPECT_EQ(app.hookNames()[0], "onFrameUpdate") << "no device change before the frames";
}

TEST_F(AppMessages, MinimisedWindowRendersNothing) {
    PostMessageA(app.window, WM_SIZE, SIZE_MINIMIZED, 0);
    std::thread closer([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        PostMessageA(app.window, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(app.run(), 0);
    closer.join();
    EXPECT_EQ(app.framesRendered, 0);
    EXPECT_EQ(log.count("TestCooperativeLevel"), 0u);
}

TEST_F(AppMessages, RestoredWindowRendersAgain) {
    PostMessageA(app.window, WM_SIZE, SIZE_MINIMIZED, 0);
    PostMessageA(app.window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(640, 499));
    app.closeAfterFrames = 2;
    EXPECT_EQ(app.run(), 0);
    EXPECT_EQ(app.framesRendered, 2);
}

TEST_F(AppMessages, HiddenWindowIsNotActive) {
    SendMessageA(app.window, WM_SIZE, SIZE_MAXHIDE, 0);
    EXPECT_FALSE(app.active);
    SendMessageA(app.window, WM_SIZE, SIZE_MAXIMIZED, 0);
    EXPECT_TRUE(app.active);
}

TEST_F(AppMessages, FullScreenSuppressesMovingSizingAndTheMenu) {
    EXPECT_EQ(SendMessageA(app.window, WM_SYSCOMMAND, SC_MOVE, 0), 0) << "windowed: default";
    app.windowed = false;
    for (WPARAM command : {SC_SIZE, SC_MOVE, SC_MAXIMIZE, SC_KEYMENU, SC_MONITORPOWER})
        EXPECT_EQ(SendMessageA(app.window, WM_SYSCOMMAND, command, 0), 1) << command;
    // The whole value is compared: a move started from the keyboard (SC_MOVE
    // with low bits set) is not suppressed.
    EXPECT_EQ(SendMessageA(app.window, WM_SYSCOMMAND, SC_MOVE | 2, 0), 0);
    EXPECT_TRUE(IsWindow(app.window));
}

TEST_F(AppMessages, FullScreenHidesTheCursorUnlessAskedToShowIt) {
    app.windowed = false;
    EXPECT_EQ(SendMessageA(app.window, WM_SETCURSOR, 0, 0), TRUE);
    EXPECT_EQ(log.count("ShowCursor"), 0u);
    app.showCursorWhenFullscreen = true;
    SendMessageA(app.window, WM_SETCURSOR, 0, 0);
    ASSERT_EQ(log.count("ShowCursor"), 1u);
    EXPECT_EQ(log.first("ShowCursor")->args[0], TRUE);
}

TEST_F(AppMessages, FullScreenStyleIsABarePopup) {
    app.windowed = false;
    app.applyWindowStyle();
    EXPECT_EQ(DWORD(GetWindowLongA(app.window, GWL_STYLE)), 0x90080000u);
    app.windowed = true;
    app.applyWindowStyle();
    EXPECT_EQ(DWORD(GetWindowLongA(app.window, GWL_STYLE)), 0x90CE0000u);
}

TEST_F(AppMessages, MouseMovesTheDeviceCursorInClientCoordinates) {
    RECT bounds{};
    GetWindowRect(app.window, &bounds);
    SetCursorPos(int(bounds.left) + 300, int(bounds.top) + 200);
    SendMessageA(app.window, WM_MOUSEMOVE, 0, 0);
    const RecordedCall* call = log.first("SetCursorPosition");
    ASSERT_NE(call, nullptr);
    EXPECT_EQ(call->args[0], 300 - sizingFrameWidth);
    EXPECT_EQ(call->args[1], 200 - sizingFrameWidth - captionBarHeight);
    EXPECT_EQ(call->args[2], 0);
    app.pause(true);
    SendMessageA(app.window, WM_MOUSEMOVE, 0, 0);
    EXPECT_EQ(log.count("SetCursorPosition"), 1u) << "not while paused";
    app.pause(false);
}

TEST_F(AppMessages, MinimumTrackingSizeAndPowerQueries) {
    MINMAXINFO info{};
    SendMessageA(app.window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 100);
    EXPECT_EQ(info.ptMinTrackSize.y, 100);
    EXPECT_EQ(SendMessageA(app.window, WM_POWERBROADCAST, PBT_APMQUERYSUSPEND, 0), TRUE);
    EXPECT_EQ(SendMessageA(app.window, WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0), TRUE);
    EXPECT_EQ(SendMessageA(app.window, WM_POWERBROADCAST, 4, 0), 0);
}

TEST_F(AppMessages, FatalErrorShowsItsTextAndClosesTheWindow) {
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(app.reportError(errResetFailed, errorKindFatal), errResetFailed);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "Tessal Application: Could not reset the Direct3D device.\n");
    EXPECT_FALSE(IsWindow(app.window));
    EXPECT_EQ(app.hookNames(), shutdownHooks);
}

TEST_F(AppMessages, FatalErrorWithoutTextOnlyCloses) {
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(app.reportError(E_FAIL, errorKindFatal), E_FAIL);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_FALSE(IsWindow(app.window));
}

TEST_F(AppMessages, WarningsShowAndDoNothing) {
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(app.reportError(errNoHardwareDevice, errorKindWarning), errNoHardwareDevice);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_TRUE(IsWindow(app.window));
    EXPECT_TRUE(app.hookCalls.empty());
}

TEST(ErrorText, EveryCodeOfTheVocabularyHasItsText) {
    EXPECT_STREQ(errorText(errNoWindowedDevice),
                 "This program cannot run in a desktop\nwindow with the current display "
                 "settings.\nPlease change your desktop settings to a\n16- or 32-bit display "
                 "mode and re-run this\nprogram.");
    EXPECT_STREQ(errorText(errNoDesktopHardware),
                 "Your Direct3D hardware accelerator cannot\nrender into a window with the "
                 "current\ndesktop display settings.");
    EXPECT_STREQ(errorText(errNonZeroRefCount),
                 "A D3D object has a non-zero reference\ncount (meaning things were not "
                 "properly\ncleaned up).");
    for (HRESULT code :
         {errNoDirect3D, errNoCompatibleDevice, errNoHardwareDevice, errHardwareNotCompatible,
          errNoWindowedHardware, errHardwareNotCompatibleInMode, errMediaNotFound, errResetFailed,
          E_OUTOFMEMORY, D3DERR_OUTOFVIDEOMEMORY})
        EXPECT_NE(errorText(code), nullptr) << std::hex << code;
}

TEST(ErrorText, OtherCodesShowNothing) {
    EXPECT_EQ(errorText(E_FAIL), nullptr);
    EXPECT_EQ(errorText(HRESULT(0x82000002u)), nullptr);
    EXPECT_EQ(errorText(D3DERR_INVALIDCALL), nullptr);
    EXPECT_EQ(errorText(S_OK), nullptr);
}

}  // namespace

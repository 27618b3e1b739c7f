// Outer and client sizes of windows: the fixed frame metrics, and the
// "client area taller by the menu bar" result of sizing a window as if it
// had a menu.
#include <gtest/gtest.h>

#include "win32_test_support.h"

namespace {

constexpr DWORD appWindowStyle = 0x90CE0000;  // popup, visible, caption, sysmenu, thick frame

int width(const RECT& r) {
    return r.right - r.left;
}
int height(const RECT& r) {
    return r.bottom - r.top;
}

TEST(WindowFrame, AdjustWindowRectAddsFrameCaptionAndMenu) {
    RECT rect{0, 0, 640, 480};
    ASSERT_TRUE(AdjustWindowRect(&rect, appWindowStyle, TRUE));
    EXPECT_EQ(rect.left, -sizingFrameWidth);
    EXPECT_EQ(rect.top, -(sizingFrameWidth + captionBarHeight + menuBarHeight));
    EXPECT_EQ(rect.right, 640 + sizingFrameWidth);
    EXPECT_EQ(rect.bottom, 480 + sizingFrameWidth);
}

TEST(WindowFrame, FrameDependsOnStyle) {
    EXPECT_EQ(nonClientInsets(WS_POPUP, false).top, 0);
    EXPECT_EQ(nonClientInsets(WS_POPUP, false).left, 0);
    EXPECT_EQ(nonClientInsets(WS_BORDER, false).left, thinBorderWidth);
    EXPECT_EQ(nonClientInsets(WS_CAPTION, false).left, dialogFrameWidth);
    EXPECT_EQ(nonClientInsets(WS_CAPTION, false).top, dialogFrameWidth + captionBarHeight);
    // WS_DLGFRAME alone is half a caption: a frame but no caption bar.
    EXPECT_EQ(nonClientInsets(WS_DLGFRAME, false).top, dialogFrameWidth);
    EXPECT_EQ(nonClientInsets(WS_POPUP, true).top, menuBarHeight);
}

TEST(WindowFrame, ClientAreaIsTallerByTheMenuBarThatIsNotThere) {
    RECT outer{0, 0, 640, 480};
    AdjustWindowRect(&outer, appWindowStyle, TRUE);
    HWND window = createRecordingWindow(appWindowStyle, width(outer), height(outer));
    ASSERT_NE(window, nullptr);
    RECT client{};
    ASSERT_TRUE(GetClientRect(window, &client));
    EXPECT_EQ(client.left, 0);
    EXPECT_EQ(client.top, 0);
    EXPECT_EQ(width(client), 640);
    EXPECT_EQ(height(client), 480 + menuBarHeight);
    DestroyWindow(window);
}

TEST(WindowFrame, ExplicitPositionIsTheOuterTopLeft) {
    HWND window = createRecordingWindow(WS_OVERLAPPED | WS_CAPTION, 300, 200);
    RECT bounds{};
    ASSERT_TRUE(GetWindowRect(window, &bounds));
    EXPECT_EQ(bounds.left, 10);
    EXPECT_EQ(bounds.top, 20);
    EXPECT_EQ(width(bounds), 300);
    EXPECT_EQ(height(bounds), 200);
    DestroyWindow(window);
}

TEST(WindowFrame, StyleChangeKeepsTheOuterRectangleAndMovesTheClientArea) {
    HWND window = createRecordingWindow(appWindowStyle, 300, 200);
    EXPECT_EQ(DWORD(GetWindowLongA(window, GWL_STYLE)), appWindowStyle);
    LONG previous = SetWindowLongA(window, GWL_STYLE, LONG(WS_POPUP | WS_VISIBLE | WS_SYSMENU));
    EXPECT_EQ(DWORD(previous), appWindowStyle);
    RECT bounds{}, client{};
    GetWindowRect(window, &bounds);
    GetClientRect(window, &client);
    EXPECT_EQ(width(bounds), 300);
    EXPECT_EQ(width(client), 300);  // no frame any more
    EXPECT_EQ(height(client), 200);
    DestroyWindow(window);
}

TEST(WindowFrame, SetWindowPosHonoursNoMoveAndNoSize) {
    HWND window = createRecordingWindow(WS_POPUP, 300, 200);
    SetWindowPos(window, HWND_NOTOPMOST, 50, 60, 0, 0, SWP_NOSIZE);
    RECT bounds{};
    GetWindowRect(window, &bounds);
    EXPECT_EQ(bounds.left, 50);
    EXPECT_EQ(bounds.top, 60);
    EXPECT_EQ(width(bounds), 300);
    SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 400, 250, SWP_NOMOVE | SWP_SHOWWINDOW);
    GetWindowRect(window, &bounds);
    EXPECT_EQ(bounds.left, 50);
    EXPECT_EQ(width(bounds), 400);
    EXPECT_EQ(height(bounds), 250);
    EXPECT_TRUE(GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE);
    DestroyWindow(window);
}

TEST(WindowFrame, ScreenToClientSubtractsTheClientOrigin) {
    HWND window = createRecordingWindow(WS_POPUP | WS_CAPTION | WS_THICKFRAME, 300, 200);
    POINT point{100, 100};
    ASSERT_TRUE(ScreenToClient(window, &point));
    EXPECT_EQ(point.x, 100 - 10 - sizingFrameWidth);
    EXPECT_EQ(point.y, 100 - 20 - sizingFrameWidth - captionBarHeight);
    DestroyWindow(window);
}

TEST(WindowFrame, DestroyedHandlesAreRecognisedAndRefused) {
    HWND window = createRecordingWindow();
    ASSERT_TRUE(IsWindow(window));
    ASSERT_TRUE(DestroyWindow(window));
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(DestroyWindow(window));
    RECT rect{};
    EXPECT_FALSE(GetWindowRect(window, &rect));
    EXPECT_EQ(GetWindowLongA(window, GWL_STYLE), 0);
    EXPECT_FALSE(IsWindow(nullptr));
}

TEST(WindowFrame, UnknownClassGivesNoWindow) {
    useNullWindowSystem();
    EXPECT_EQ(CreateWindowExA(0, "No Such Class", "x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                              nullptr, nullptr),
              nullptr);
}

TEST(WindowFrame, ClassNamesAreUniqueRegardlessOfCase) {
    recordingClassName();
    WNDCLASSA again{};
    again.lpfnWndProc = DefWindowProcA;
    again.lpszClassName = "RECORDING WINDOW";
    EXPECT_EQ(RegisterClassA(&again), 0);
}

}  // namespace

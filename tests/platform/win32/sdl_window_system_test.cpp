// The SDL window system: real (offscreen) windows behind the handles, and,
// where no display can be had, no window, a reason, and message boxes on
// standard error.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/win32/window_handle.h"
#include "win32_test_support.h"

namespace {

TEST(SdlWindowSystem, WithoutADisplayThereIsNoWindowAndTheReasonIsKept) {
    ASSERT_TRUE(useSdlWindowSystem());
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    // A video driver that does not exist: SDL cannot start its video part.
    setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
    HWND window = CreateWindowExA(0, recordingClassName(), "demo", WS_POPUP | WS_VISIBLE, 0, 0, 64,
                                  64, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(window, nullptr);
    EXPECT_NE(windowSystemError().find("no display"), std::string::npos) << windowSystemError();

    ::testing::internal::CaptureStderr();
    EXPECT_EQ(MessageBoxA(nullptr, "Line one\nline two", "Caption", MB_ICONERROR), IDOK);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Caption: Line one\nline two\n");
    useNullWindowSystem();
}

TEST(SdlWindowSystem, WindowsAreOpenGlCapableSdlWindowsTheSizeOfTheClientArea) {
    ASSERT_TRUE(useSdlWindowSystem());
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    HWND window = CreateWindowExA(0, recordingClassName(), "demo",
                                  WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_THICKFRAME, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 208, 150, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr) << windowSystemError();
    SDL_Window* sdl = sdlWindowOf(window);
    ASSERT_NE(sdl, nullptr);
    EXPECT_TRUE(SDL_GetWindowFlags(sdl) & SDL_WINDOW_OPENGL);
    int width = 0, height = 0;
    SDL_GetWindowSize(sdl, &width, &height);
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 200);
    EXPECT_EQ(client.bottom, 150 - 2 * sizingFrameWidth - captionBarHeight);
    EXPECT_EQ(width, client.right);
    EXPECT_EQ(height, client.bottom);

    // The viewer's close request reaches the window as WM_CLOSE.
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    MSG msg{};
    for (int i = 0; i < 100 && IsWindow(window); ++i)
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(sdlWindowOf(window), nullptr);
    drainMessageQueue();
    useNullWindowSystem();
}

TEST(NullWindowSystem, WindowsHaveNoSdlWindow) {
    HWND window = createRecordingWindow();
    EXPECT_EQ(sdlWindowOf(window), nullptr);
    DestroyWindow(window);
}

TEST(NullWindowSystem, MessageBoxesGoToStandardError) {
    useNullWindowSystem();
    ::testing::internal::CaptureStderr();
    MessageBoxA(nullptr, "Not enough memory.", nullptr, MB_ICONERROR);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Error: Not enough memory.\n");
}

TEST(NullWindowSystem, CursorPositionIsKept) {
    useNullWindowSystem();
    SetCursorPos(12, 34);
    POINT point{};
    ASSERT_TRUE(GetCursorPos(&point));
    EXPECT_EQ(point.x, 12);
    EXPECT_EQ(point.y, 34);
}

}  // namespace

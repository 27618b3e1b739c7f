// A full-screen device on a real (offscreen) SDL window: the window takes
// the chosen mode, and gets the desktop back when the device goes.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/d3d8/d3d8.h"
#include "platform/win32/win32.h"
#include "platform/win32/window_handle.h"

namespace {

TEST(GlFullScreen, TheDeviceSetsTheModeAndGivesTheDesktopBack) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    ASSERT_TRUE(useSdlWindowSystem());
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.lpszClassName = "full screen test";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "full screen test", "demo", WS_POPUP | WS_VISIBLE, 0, 0, 320,
                                  240, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr) << windowSystemError();
    IDirect3D8* direct3d = Direct3DCreate8(D3D_SDK_VERSION);
    ASSERT_NE(direct3d, nullptr);
    D3DPRESENT_PARAMETERS params{};
    params.BackBufferWidth = 640;
    params.BackBufferHeight = 480;
    params.BackBufferFormat = D3DFMT_X8R8G8B8;
    params.BackBufferCount = 1;
    params.SwapEffect = D3DSWAPEFFECT_DISCARD;
    params.hDeviceWindow = window;
    params.Windowed = FALSE;
    IDirect3DDevice8* device = nullptr;
    ASSERT_EQ(direct3d->CreateDevice(0, D3DDEVTYPE_HAL, window, D3DCREATE_HARDWARE_VERTEXPROCESSING,
                                     &params, &device),
              D3D_OK);
    SDL_Window* sdl = sdlWindowOf(window);
    EXPECT_TRUE(SDL_GetWindowFlags(sdl) & SDL_WINDOW_FULLSCREEN);
    SDL_DisplayMode mode{};
    ASSERT_EQ(SDL_GetWindowDisplayMode(sdl, &mode), 0);
    EXPECT_EQ(mode.w, 640);
    EXPECT_EQ(mode.h, 480);
    EXPECT_EQ(device->Release(), 0u);
    EXPECT_FALSE(SDL_GetWindowFlags(sdl) & SDL_WINDOW_FULLSCREEN);
    DestroyWindow(window);
    direct3d->Release();
    useNullWindowSystem();
}

}  // namespace

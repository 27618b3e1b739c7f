// GraphicsApp::create on the recording backend: the hooks around device
// creation, the window and device made from the catalog, and every way
// start-up can fail.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>

#include "app_test_support.h"

namespace {

using Names = std::vector<std::string>;

TEST_F(AppTest, CreateRunsInitThenCreatesTheDeviceThenCreatedAndRestored) {
    ASSERT_EQ(create(), S_OK);
    EXPECT_EQ(sdkVersionAsked, 220u);
    EXPECT_EQ(app.hookNames(), (Names{"onAppInit", "onDeviceCreated", "onDeviceRestored"}));
    long createDevice = log.indexOf("CreateDevice");
    ASSERT_GE(createDevice, 0);
    EXPECT_LE(app.hookCalls[0].logPosition, std::size_t(createDevice));
    EXPECT_GT(app.hookCalls[1].logPosition, std::size_t(createDevice));
    EXPECT_TRUE(app.active);
    EXPECT_TRUE(app.ready);
    EXPECT_FALSE(frameTimer().stopped());
    EXPECT_EQ(currentGraphicsApp(), &app);
}

TEST_F(AppTest, WindowIsSizedWithRoomForAMenuItDoesNotHave) {
    ASSERT_EQ(create(), S_OK);
    EXPECT_EQ(app.windowStyle, 0x90CE0000u);
    EXPECT_EQ(app.focusWindow, app.window);
    EXPECT_EQ(app.clientRect.right, 640);
    EXPECT_EQ(app.clientRect.bottom, 480 + menuBarHeight);
    EXPECT_EQ(app.windowBounds.right - app.windowBounds.left, 640 + 2 * sizingFrameWidth);
    RECT bounds{};
    GetWindowRect(app.window, &bounds);
    EXPECT_EQ(bounds.left, app.windowBounds.left);
    EXPECT_EQ(bounds.bottom, app.windowBounds.bottom);
}

TEST_F(AppTest, WindowedDeviceGetsTheClientSizeAndTheDesktopFormat) {
    ASSERT_EQ(create(), S_OK);
    const RecordedCall* call = log.first("CreateDevice");
    ASSERT_NE(call, nullptr);
    EXPECT_EQ(call->args[0], 0);                                   // adapter
    EXPECT_EQ(call->args[1], D3DDEVTYPE_HAL);                      // device type
    EXPECT_EQ(call->args[2], double(std::uintptr_t(app.window)));  // focus window
    EXPECT_EQ(call->args[3], D3DCREATE_HARDWARE_VERTEXPROCESSING);
    const D3DPRESENT_PARAMETERS& params = app.presentParams;
    EXPECT_TRUE(params.Windowed);
    EXPECT_EQ(params.BackBufferWidth, 640u);
    EXPECT_EQ(params.BackBufferHeight, 499u);
    EXPECT_EQ(params.BackBufferFormat, D3DFMT_X8R8G8B8);
    EXPECT_EQ(params.BackBufferCount, 1u);
    EXPECT_EQ(params.SwapEffect, D3DSWAPEFFECT_DISCARD);
    EXPECT_TRUE(params.EnableAutoDepthStencil);
    EXPECT_EQ(params.AutoDepthStencilFormat, D3DFMT_D16);
    EXPECT_EQ(params.hDeviceWindow, app.window);
    EXPECT_EQ(params.FullScreen_RefreshRateInHz, 0u);
    EXPECT_EQ(app.backBufferDesc.Width, 640u);
    EXPECT_EQ(app.backBufferDesc.Height, 499u);
}

TEST_F(AppTest, DeviceIsCreatedOnTheAdapterTheCatalogEntryStandsFor) {
    RecordingAdapter useless = standardRecordingAdapter();
    useless.hal.present = useless.ref.present = false;
    config.adapters = {useless, standardRecordingAdapter()};
    ASSERT_EQ(create(), S_OK);
    EXPECT_EQ(app.currentAdapter, 0u);
    EXPECT_EQ(log.first("CreateDevice")->args[0], 1);
}

TEST_F(AppTest, NoDirect3DIsReportedAndNoWindowIsMade) {
    app.direct3DFactory = [](UINT) -> IDirect3D8* { return nullptr; };
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(create(), errNoDirect3D);
    std::string shown = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(shown, std::string("Tessal Application: ") + errorText(errNoDirect3D) + "\n");
    EXPECT_EQ(app.window, nullptr);
    EXPECT_TRUE(app.hookCalls.empty());
}

TEST_F(AppTest, CatalogFailureReleasesDirect3DBeforeAnyWindow) {
    config.adapters.clear();
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(create(), errNoCompatibleDevice);
    EXPECT_NE(::testing::internal::GetCapturedStderr().find(
                  "Could not find any compatible Direct3D\ndevices."),
              std::string::npos);
    EXPECT_EQ(app.direct3d, nullptr);
    EXPECT_TRUE(fullyReleased(log, "Direct3D"));
    EXPECT_EQ(app.window, nullptr);
}

TEST_F(AppTest, DeviceCreationFailureIsShownAndClosesTheWindow) {
    config.forcedResults["CreateDevice"] = D3DERR_OUTOFVIDEOMEMORY;
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(create(), D3DERR_OUTOFVIDEOMEMORY);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "Tessal Application: Not enough video memory.\n");
    EXPECT_EQ(app.hookNames(), (Names{"onAppInit", "onAppShutdown"}));
    EXPECT_FALSE(IsWindow(app.window));
    EXPECT_EQ(log.count("CreateDevice"), 1u) << "no other device is tried";
    EXPECT_TRUE(fullyReleased(log, "Direct3D"));
}

TEST_F(AppTest, FailureWithoutATextClosesWithoutAMessage) {
    config.forcedResults["CreateDevice"] = E_FAIL;
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(create(), E_FAIL);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_FALSE(IsWindow(app.window));
}

TEST_F(AppTest, FailedRestoreUndoesTheDevice) {
    app.hookResults["onDeviceRestored"] = E_OUTOFMEMORY;
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(create(), E_OUTOFMEMORY);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Tessal Application: Not enough memory.\n");
    EXPECT_EQ(app.hookNames(), (Names{"onAppInit", "onDeviceCreated", "onDeviceRestored",
                                      "onDeviceLost", "onDeviceDestroyed", "onAppShutdown"}));
    EXPECT_EQ(app.device, nullptr);
    EXPECT_TRUE(fullyReleased(log, "Device"));
    EXPECT_FALSE(app.active);
}

TEST_F(AppTest, FailedInitCreatesNoDevice) {
    app.hookResults["onAppInit"] = errMediaNotFound;
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(create(), errMediaNotFound);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "Tessal Application: Could not load required media.\n");
    EXPECT_EQ(log.count("CreateDevice"), 0u);
    EXPECT_EQ(app.hookNames(), (Names{"onAppInit", "onAppShutdown"}));
}

// With no display for the dialog, start-up goes on as if "run demo" had been
// pressed on the default selection.
TEST_F(AppTest, SetupDialogWithoutADisplaySaysSoAndRunsTheDefaultDevice) {
    app.showSetupDialog = true;
    const char* display = std::getenv("DISPLAY");
    const std::string savedDisplay = display ? display : "";
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(create(), S_OK);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              "No display for the setup dialog, running the demo on the default device\n");
    if (display) setenv("DISPLAY", savedDisplay.c_str(), 1);
    EXPECT_TRUE(app.windowed);
    EXPECT_EQ(log.count("CreateDevice"), 1u);
}

TEST_F(AppTest, WithoutADisplayCreateSaysWhyAndFails) {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    ASSERT_TRUE(useSdlWindowSystem());
    setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(create(), E_FAIL);
    std::string shown = ::testing::internal::GetCapturedStderr();
    useNullWindowSystem();
    EXPECT_NE(shown.find("Tessal Application: Could not create the window: no display"),
              std::string::npos)
        << shown;
    EXPECT_EQ(app.window, nullptr);
    EXPECT_TRUE(app.hookCalls.empty());
    EXPECT_TRUE(fullyReleased(log, "Direct3D"));
}

TEST_F(AppTest, ConstructorDefaults) {
    CallLog otherLog;
    TestApp fresh(otherLog);
    GraphicsApp& base = fresh;
    EXPECT_EQ(base.windowTitle, "Tessal Application");
    EXPECT_EQ(base.windowWidth, 300u);
    EXPECT_EQ(base.windowHeight, 300u);
    EXPECT_FALSE(base.useDepthBuffer);
    EXPECT_EQ(base.minDepthBits, 16u);
    EXPECT_EQ(base.minStencilBits, 0u);
    EXPECT_FALSE(base.active || base.ready || base.showSetupDialog);
    EXPECT_EQ(base.frameRate, 0.0f);
    EXPECT_TRUE(base.frameStats.empty());
    EXPECT_EQ(currentGraphicsApp(), &fresh);
}

}  // namespace

// The demo's hooks on the recording Direct3D backend: start-up
// configuration, device set-up, the calls of each frame, the end of the
// demo, and the space-key pause and restart.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "app/current_device.h"
#include "app/demo_app.h"
#include "app/effect_modules.h"
#include "app/layer_table.h"
#include "framework/frame_timer.h"
#include "framework/manual_clock.h"
#include "media/data_access.h"
#include "platform/d3d8/recording/recording_direct3d.h"
#include "platform/lua4/lua4.h"
#include "platform/win32/messages.h"
#include "platform/win32/virtual_keys.h"
#include "platform/win32/window_system.h"
#include "temp_production.h"
#include "test_effects.h"

namespace {

using Calls = std::vector<std::string>;

// The demo with a test module standing for the image effects (type 0),
// searched before the engine's own modules.
class TestDemoApp : public DemoApp {
  public:
    HRESULT onAppInit() override {
        HRESULT result = DemoApp::onAppInit();
        effectModules().insert(effectModules().begin(), &module);
        module.registerScriptFunctions(scriptHost.lua);
        return result;
    }
    TestEffectModule module{{0}};
};

class DemoAppTest : public ::testing::Test {
  protected:
    void SetUp() override {
        useNullWindowSystem();
        useClockForFrameTimer(clock);
        effectLog().clear();
        clearColour = 0;
        DataAccess::unpackedMode = true;
        app.direct3DFactory = [this](UINT) { return createRecordingDirect3D(config, log); };
    }
    void TearDown() override {
        if (app.window) SendMessageA(app.window, WM_CLOSE, 0, 0);
        MSG msg{};
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
        effectModules().clear();
        DataAccess::unpackedMode = true;
    }

    void create(const std::string& script) {
        production.writeScript(script);
        ASSERT_EQ(S_OK, app.create(nullptr));
        log.clear();
    }
    // Lets `seconds` pass and renders a frame as the message loop does.
    HRESULT frame(double seconds) {
        clock.advanceSeconds(seconds);
        return app.renderFrame();
    }
    HRESULT frameQuietly(double seconds) {
        testing::internal::CaptureStderr();
        HRESULT result = frame(seconds);
        errors = testing::internal::GetCapturedStderr();
        return result;
    }
    // The names of the calls made on the device, in order.
    Calls deviceCalls() {
        Calls names;
        for (const RecordedCall& call : log.calls())
            if (call.object == "Device") names.push_back(call.name);
        return names;
    }
    void releaseSpace() { app.handleMessage(app.window, WM_KEYUP, VK_SPACE, 0); }
    // Number of times the script ran, counted by the script itself.
    double runs() {
        lua4::lua_getglobal(app.scriptHost.lua, "runs");
        double value = lua4::lua_tonumber(app.scriptHost.lua, -1);
        lua4::lua_settop(app.scriptHost.lua, -2);
        return value;
    }
    bool reloadRequestedSoon() {
        for (int i = 0; i < 100 && !app.scriptHost.reloadRequested; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return app.scriptHost.reloadRequested;
    }

    ManualClock clock;
    TempProduction production;
    RecordingConfig config;
    CallLog log;
    TestDemoApp app;
    std::string errors;
};

constexpr char countingScript[] = "runs = (runs or 0) + 1\n";

TEST_F(DemoAppTest, ConstructorSetsTheDemosStartUpConfiguration) {
    EXPECT_EQ(640u, app.windowWidth);
    EXPECT_EQ(480u, app.windowHeight);
    EXPECT_TRUE(app.useDepthBuffer);
    EXPECT_EQ(16u, app.minDepthBits);
    EXPECT_EQ(0u, app.minStencilBits);
    EXPECT_FALSE(app.showSetupDialog);
    EXPECT_EQ("Tessal Application", app.windowTitle);
    EXPECT_EQ(playStateInitial, app.playState);
    EXPECT_EQ(&app, demoApp());
}

TEST_F(DemoAppTest, PureDevicesAreRejected) {
    D3DCAPS8 caps{};
    EXPECT_EQ(E_FAIL,
              app.acceptDevice(caps, D3DCREATE_PUREDEVICE | D3DCREATE_HARDWARE_VERTEXPROCESSING,
                               D3DFMT_X8R8G8B8));
    EXPECT_EQ(S_OK, app.acceptDevice(caps, D3DCREATE_HARDWARE_VERTEXPROCESSING, D3DFMT_X8R8G8B8));
}

TEST_F(DemoAppTest, DeviceSetUpFiltersBothStagesThenEnablesDepth) {
    production.writeScript("");
    ASSERT_EQ(S_OK, app.create(nullptr));
    EXPECT_EQ(app.device, currentDevice);
    ASSERT_NE(nullptr, log.first("CreateDevice"));
    EXPECT_EQ(0, int(log.first("CreateDevice")->args[3]) & D3DCREATE_PUREDEVICE);
    std::vector<std::vector<double>> expected;
    for (double stage : {0, 1})
        for (double type : {D3DTSS_MINFILTER, D3DTSS_MIPFILTER, D3DTSS_MAGFILTER})
            expected.push_back({stage, type, D3DTEXF_LINEAR});
    // The overlay font's state blocks, recorded when the device is
    // restored, come after the filters and the depth test.
    const std::size_t fontBlocks = std::size_t(log.indexOf("BeginStateBlock"));
    std::vector<std::vector<double>> stageCalls;
    for (std::size_t i = 0; i < fontBlocks; ++i)
        if (log.calls()[i].name == "SetTextureStageState")
            stageCalls.push_back(log.calls()[i].args);
    EXPECT_EQ(expected, stageCalls);
    const long depth = log.indexOf("SetRenderState");
    EXPECT_GT(depth, log.indexOf("SetTextureStageState", 0) + 5);
    EXPECT_LT(std::size_t(depth), fontBlocks);
    EXPECT_EQ((std::vector<double>{D3DRS_ZENABLE, D3DZB_TRUE}), log.first("SetRenderState")->args);
}

// The statistics overlay: three strings after the layers, each drawn
// between capturing and re-applying the saved states; none in packed mode.
TEST_F(DemoAppTest, UnpackedModeDrawsTheOverlayOverTheLayers) {
    create("layer(0, 'a')\nstart(0, 0)");
    ASSERT_EQ(S_OK, frame(0.1));
    log.clear();
    ASSERT_EQ(S_OK, frame(0.5));
    EXPECT_EQ(log.count("CaptureStateBlock"), 3u);
    EXPECT_EQ(log.count("ApplyStateBlock"), 6u);
    EXPECT_GE(log.count("DrawPrimitive"), 3u);
    EXPECT_LT(log.indexOf("EndScene"), long(log.size()));
    EXPECT_GT(log.indexOf("EndScene"), log.indexOf("DrawPrimitive"));
    for (const RecordedCall& call : log.named("DrawPrimitive")) EXPECT_EQ(call.result, D3D_OK);
    DataAccess::unpackedMode = false;
    log.clear();
    ASSERT_EQ(S_OK, frame(0.5));
    EXPECT_EQ(log.count("DrawPrimitive"), 0u);
}

TEST_F(DemoAppTest, TheScriptRunsInTheFirstFrameNotBefore) {
    create(countingScript);
    EXPECT_EQ(0, runs());
    EXPECT_EQ(100.0f, app.endTime);
    ASSERT_EQ(S_OK, frame(0.1));
    EXPECT_EQ(1, runs());
    EXPECT_TRUE(app.scriptLoaded());
    EXPECT_EQ(playStatePlaying, app.playState);
}

TEST_F(DemoAppTest, EachFrameClearsDrawsLayersInsideTheSceneAndPresents) {
    app.showOverlay = false;
    create(
        "setclearcolor(1, 2, 3, 4)\nlayer(0, 'a')\nstart(0, 0)\nclear(0, 1, 0)\n"
        "layer(0, 'b')\nstart(0, 1)");
    ASSERT_EQ(S_OK, frame(0.1));
    log.clear();
    effectLog().clear();
    ASSERT_EQ(S_OK, frame(0.5));
    EXPECT_EQ(
        Calls({"TestCooperativeLevel", "Clear", "BeginScene", "Clear", "EndScene", "Present"}),
        deviceCalls());
    std::vector<double> frameClear{0, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0x04010203, 1.0, 0};
    EXPECT_EQ(frameClear, log.first("Clear")->args);
    std::vector<double> layerClear{0, D3DCLEAR_TARGET, 0x04010203, 1.0, 0};
    EXPECT_EQ(layerClear, log.last("Clear")->args);
    EXPECT_EQ(Calls({"render a 0.5 0", "render b 0.5 0"}), effectLog());
}

TEST_F(DemoAppTest, StartTimeShiftsDemoTime) {
    create("setstarttime(30)\nlayer(0, 'a')\nstart(30, 0)");
    ASSERT_EQ(S_OK, frame(0.1));
    effectLog().clear();
    ASSERT_EQ(S_OK, frame(0.5));
    EXPECT_EQ(Calls{"render a 30.5 30"}, effectLog());
}

TEST_F(DemoAppTest, TheDemoEndsOnceTimePassesTheEndTime) {
    create("setendtime(2)");
    ASSERT_EQ(S_OK, frame(0.1));
    ASSERT_EQ(S_OK, frame(2.0));  // t = 2: equality still plays
    log.clear();
    EXPECT_EQ(E_FAIL, frame(0.25));
    EXPECT_EQ(0u, log.count("Clear"));
    EXPECT_EQ(0u, log.count("BeginScene"));
    EXPECT_EQ(0u, log.count("Present"));
}

TEST_F(DemoAppTest, FailedBeginSceneSkipsDrawingButTheFramePresents) {
    config.forcedResults["BeginScene"] = D3DERR_INVALIDCALL;
    create("layer(0, 'a')\nstart(0, 0)");
    ASSERT_EQ(S_OK, frame(0.1));
    effectLog().clear();
    log.clear();
    EXPECT_EQ(S_OK, frame(0.1));
    EXPECT_EQ(Calls{}, effectLog());
    EXPECT_EQ(0u, log.count("EndScene"));
    EXPECT_EQ(1u, log.count("Present"));
}

TEST_F(DemoAppTest, AFailingScriptLeavesTheClockStoppedAndDrawsNoLayer) {
    create("layer(0, 'a')\nstart(0, 0)\nstart(0, 7)");
    EXPECT_EQ(S_OK, frameQuietly(0.1));
    EXPECT_EQ("error: Invalid layer id for 'start'\n", errors);
    EXPECT_FALSE(app.scriptLoaded());
    EXPECT_EQ(Calls{"init0 a"}, effectLog());
    log.clear();
    EXPECT_EQ(S_OK, frame(1.0));
    EXPECT_EQ(Calls{"TestCooperativeLevel"}, deviceCalls());
}

TEST_F(DemoAppTest, SpaceRestartReusesAnUnchangedScript) {
    create(std::string(countingScript) + "layer(0, 'a')\nstart(0, 0)");
    ASSERT_EQ(S_OK, frame(0.1));
    ASSERT_EQ(S_OK, frame(3.0));
    releaseSpace();
    EXPECT_EQ(playStatePaused, app.playState);
    EXPECT_FALSE(app.ready);
    releaseSpace();
    EXPECT_EQ(playStateRestartRequested, app.playState);
    EXPECT_TRUE(app.ready);
    std::this_thread::sleep_for(std::chrono::milliseconds(150));  // the watcher looks
    effectLog().clear();
    ASSERT_EQ(S_OK, frame(0.1));
    EXPECT_EQ(1, runs());
    EXPECT_EQ(playStatePlaying, app.playState);
    effectLog().clear();
    ASSERT_EQ(S_OK, frame(0.25));
    EXPECT_EQ(Calls{"render a 0.25 0"}, effectLog());  // the clock went back to 0
}

TEST_F(DemoAppTest, SpaceRestartRerunsAnEditedScript) {
    create(std::string(countingScript) + "layer(0, 'old')\nstart(0, 0)");
    ASSERT_EQ(S_OK, frame(0.1));
    production.writeScript(std::string(countingScript) + "layer(0, 'new')\nstart(0, 0)");
    ASSERT_TRUE(reloadRequestedSoon());
    releaseSpace();
    releaseSpace();
    effectLog().clear();
    ASSERT_EQ(S_OK, frame(0.1));
    EXPECT_EQ(2, runs());
    EXPECT_EQ(Calls({"release1 old", "destroy old", "init0 new", "init1 new", "render new 0.1 0"}),
              effectLog());
}

TEST_F(DemoAppTest, SpaceReleasesWhileARestartIsPendingAreIgnored) {
    create(countingScript);
    releaseSpace();
    EXPECT_EQ(playStateInitial, app.playState);
    ASSERT_EQ(S_OK, frame(0.1));
    EXPECT_EQ(1, runs());
    releaseSpace();
    releaseSpace();
    releaseSpace();
    EXPECT_EQ(playStateRestartRequested, app.playState);
}

TEST_F(DemoAppTest, SpaceDoesNothingInPackedMode) {
    DataAccess::unpackedMode = false;
    production.writeScript("");
    ASSERT_EQ(S_OK, app.create(nullptr));
    testing::internal::CaptureStdout();
    frame(0.1);
    EXPECT_EQ("Failed to unpack script.lua\n", testing::internal::GetCapturedStdout());
    releaseSpace();
    EXPECT_EQ(playStatePlaying, app.playState);
    EXPECT_TRUE(app.ready);
}

TEST_F(DemoAppTest, ClosingClearsTheLayerTable) {
    create("layer(0, 'a')");
    ASSERT_EQ(S_OK, frame(0.1));
    effectLog().clear();
    SendMessageA(app.window, WM_CLOSE, 0, 0);
    EXPECT_EQ(0, layerTable().count());
    EXPECT_EQ(Calls({"release1 a", "destroy a"}), effectLog());
    EXPECT_EQ(nullptr, currentDevice);
}

}  // namespace

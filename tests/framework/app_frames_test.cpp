// Frames of a created GraphicsApp: skipped while the clock stands still,
// hooks then Present otherwise, lost devices, statistics and pausing.
#include <gtest/gtest.h>

#include "app_test_support.h"
#include "platform/d3d8/recording/recording_device.h"

namespace {

using Names = std::vector<std::string>;

class AppFrames : public AppTest {
  protected:
    void SetUp() override {
        AppTest::SetUp();
        ASSERT_EQ(create(), S_OK);
        app.hookCalls.clear();
        log.clear();
    }
};

TEST_F(AppFrames, NothingHappensWhileNoTimeHasPassed) {
    EXPECT_EQ(app.renderFrame(), S_OK);
    EXPECT_TRUE(app.hookCalls.empty());
    EXPECT_EQ(log.count("Present"), 0u);

    clock.advanceSeconds(0.5);
    EXPECT_EQ(app.renderFrame(), S_OK);
    EXPECT_EQ(app.hookNames(), (Names{"onFrameUpdate", "onFrameRender"}));
    EXPECT_EQ(log.count("Present"), 1u);
    EXPECT_FLOAT_EQ(app.appTime, 0.5f);
    EXPECT_FLOAT_EQ(app.elapsedTime, 0.5f);
}

TEST_F(AppFrames, StoppedClockSkipsWholeFrames) {
    frameTimer()(TIMER_STOP);
    clock.advanceSeconds(1);
    EXPECT_EQ(app.renderFrame(), S_OK);
    EXPECT_TRUE(app.hookCalls.empty());
    EXPECT_EQ(log.count("Present"), 0u);
    EXPECT_EQ(log.count("TestCooperativeLevel"), 1u);
}

TEST_F(AppFrames, HookFailuresAreReturnedAndNothingIsPresented) {
    clock.advanceSeconds(0.1);
    app.hookResults["onFrameUpdate"] = E_FAIL;
    EXPECT_EQ(app.renderFrame(), E_FAIL);
    EXPECT_EQ(app.hookNames(), (Names{"onFrameUpdate"}));
    app.hookResults.clear();
    app.hookResults["onFrameRender"] = E_FAIL;
    clock.advanceSeconds(0.1);
    EXPECT_EQ(app.renderFrame(), E_FAIL);
    EXPECT_EQ(log.count("Present"), 0u);
}

TEST_F(AppFrames, LostDeviceIsWaitedOutThenReset) {
    clock.stepping = true;
    ASSERT_TRUE(simulateDeviceLoss(app.device));
    EXPECT_EQ(app.renderFrame(), S_OK);  // still lost: nothing
    EXPECT_TRUE(app.hookCalls.empty());
    EXPECT_EQ(app.renderFrame(), S_OK);  // can be reset now
    EXPECT_EQ(app.hookNames(), (Names{"onDeviceLost", "onDeviceRestored"}));
    long reread = log.indexOf("GetAdapterDisplayMode");
    long reset = log.indexOf("Reset");
    ASSERT_GE(reread, 0) << "windowed: the desktop format is read again";
    ASSERT_GT(reset, reread);
    EXPECT_GT(app.hookCalls[1].logPosition, std::size_t(reset));
    EXPECT_LE(app.hookCalls[0].logPosition, std::size_t(reset));
    EXPECT_EQ(app.presentParams.BackBufferFormat, D3DFMT_X8R8G8B8);

    app.hookCalls.clear();
    EXPECT_EQ(app.renderFrame(), S_OK);
    EXPECT_EQ(app.hookNames(), (Names{"onFrameUpdate", "onFrameRender"}));
}

TEST_F(AppFrames, FailedResetIsReturned) {
    TearDown();
    config.forcedResults["Reset"] = D3DERR_INVALIDCALL;
    AppTest::SetUp();
    ASSERT_EQ(create(), S_OK);
    simulateDeviceLoss(app.device);
    app.renderFrame();
    EXPECT_EQ(app.renderFrame(), D3DERR_INVALIDCALL);
}

TEST_F(AppFrames, StatisticsTextChangesOnlyAfterMoreThanASecond) {
    // Absolute time is 1 s at the start of the manual clock; the steps are
    // exact in single precision.
    clock.advanceSeconds(0.5);
    app.renderFrame();  // 1.5 s since the counter's origin: first update
    EXPECT_FLOAT_EQ(app.frameRate, 1 / 1.5f);
    EXPECT_EQ(app.frameStats, "0.67 fps (640x499x32) (D16)");
    for (int frame = 0; frame < 2; ++frame) {
        clock.advanceSeconds(0.5);
        app.renderFrame();
    }
    EXPECT_EQ(app.frameStats, "0.67 fps (640x499x32) (D16)") << "exactly 1.0 s is not enough";
    clock.advanceSeconds(0.25);
    app.renderFrame();
    EXPECT_FLOAT_EQ(app.frameRate, 3 / 1.25f);
    EXPECT_EQ(app.frameStats, "2.40 fps (640x499x32) (D16)");
}

TEST_F(AppFrames, StatisticsTextWithoutDepthBuffer) {
    app.useDepthBuffer = false;
    clock.advanceSeconds(1);
    app.renderFrame();
    EXPECT_EQ(app.frameStats, "0.50 fps (640x499x32)");
}

TEST_F(AppFrames, NestedPausesStopTheClockOnceAndStartItWhenAllAreOver) {
    app.pause(true);
    EXPECT_FALSE(app.ready);
    EXPECT_TRUE(frameTimer().stopped());
    app.pause(true);
    app.pause(false);
    EXPECT_FALSE(app.ready);
    EXPECT_TRUE(frameTimer().stopped());
    app.pause(false);
    EXPECT_TRUE(app.ready);
    EXPECT_FALSE(frameTimer().stopped());
}

TEST_F(AppFrames, PausedTimeDoesNotCount) {
    clock.advanceSeconds(1);
    app.pause(true);
    clock.advanceSeconds(10);
    app.pause(false);
    clock.advanceSeconds(0.5);
    app.renderFrame();
    EXPECT_FLOAT_EQ(app.appTime, 1.5f);
}

TEST_F(AppFrames, PaintRepeatsTheLastFrameOnlyWhilePaused) {
    SendMessageA(app.window, WM_PAINT, 0, 0);
    EXPECT_EQ(log.count("Present"), 0u);
    app.pause(true);
    SendMessageA(app.window, WM_PAINT, 0, 0);
    EXPECT_EQ(log.count("Present"), 1u);
    app.windowed = false;
    SendMessageA(app.window, WM_PAINT, 0, 0);
    EXPECT_EQ(log.count("Present"), 1u) << "full screen: no repaint";
}

TEST_F(AppFrames, MovingTheWindowStopsTheClockUntilTheMoveEnds) {
    SendMessageA(app.window, WM_ENTERSIZEMOVE, 0, 0);
    EXPECT_TRUE(frameTimer().stopped());
    SendMessageA(app.window, WM_EXITSIZEMOVE, 0, 0);
    EXPECT_FALSE(frameTimer().stopped());

    SendMessageA(app.window, WM_ENTERSIZEMOVE, 0, 0);
    app.pause(true);
    SendMessageA(app.window, WM_EXITSIZEMOVE, 0, 0);
    EXPECT_TRUE(frameTimer().stopped()) << "a pause keeps it stopped";
    app.pause(false);

    frameTimer()(TIMER_STOP);  // held by the application, as after a failed script
    SendMessageA(app.window, WM_ENTERSIZEMOVE, 0, 0);
    SendMessageA(app.window, WM_EXITSIZEMOVE, 0, 0);
    EXPECT_TRUE(frameTimer().stopped());
}

}  // namespace

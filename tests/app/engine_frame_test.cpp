// The player's frame on the recording backend that keeps no pixels: every
// image layer reaches the device as one accepted draw, the state the layers
// restore reads back, and a frame in steady play allocates nothing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <string>

#include "app/demo_app.h"
#include "framework/frame_timer.h"
#include "framework/manual_clock.h"
#include "media/data_access.h"
#include "platform/d3d8/recording/recording_device.h"
#include "platform/d3d8/recording/recording_direct3d.h"
#include "platform/win32/win32.h"
#include "platform/win32/window_system.h"
#include "support/sanitized_build.h"
#include "temp_production.h"

namespace {

thread_local long allocationsOnThisThread = 0;

}  // namespace

#ifndef TESSAL_SANITIZED
// Counts this thread's allocations (the sanitizer build keeps its own).
void* operator new(std::size_t size) {
    ++allocationsOnThisThread;
    if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
    throw std::bad_alloc();
}
void operator delete(void* block) noexcept {
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}
#endif

namespace {

// 50 image layers on a capture texture, each clearing the depth buffer,
// alpha-blended and turning.
constexpr char kScript[] =
    "setendtime(1000)\ncreatecapturetexture('tex', 64, 64)\n"
    "for i = 1, 50 do\n  local l = layer(0, 'tex', 5, 6)\n  start(0, l) stop(1000, l)\n"
    "  clear(l, 0, 1)\n  setimagerot(0, l, 0) setimagerot(10, l, 360)\nend\n";

class EngineFrame : public ::testing::Test {
  protected:
    void SetUp() override {
        useNullWindowSystem();
        useClockForFrameTimer(clock);
        DataAccess::unpackedMode = true;
        config.simulatePixels = false;
        app.direct3DFactory = [this](UINT) { return createRecordingDirect3D(config, log); };
        app.showOverlay = false;
        production.writeScript(kScript);
        ASSERT_EQ(S_OK, app.create(nullptr));
        ASSERT_EQ(S_OK, frame());  // runs the script
        ASSERT_TRUE(app.scriptLoaded());
        log.clear();
    }
    void TearDown() override {
        if (app.window) SendMessageA(app.window, WM_CLOSE, 0, 0);
        useClockForFrameTimer(systemClock());
    }
    HRESULT frame() {
        clock.advanceSeconds(0.001);
        return app.renderFrame();
    }

    ManualClock clock;
    TempProduction production;
    RecordingConfig config;
    CallLog log;
    DemoApp app;
};

TEST_F(EngineFrame, EachLayerIsOneAcceptedDrawAndTheRestoredStateReadsBack) {
    ASSERT_EQ(S_OK, frame());
    const auto draws = log.named("DrawPrimitiveUP");
    const auto clears = log.named("Clear");
    ASSERT_EQ(draws.size(), 50u);
    ASSERT_EQ(clears.size(), 51u);  // the frame's own, then one per layer
    for (const RecordedCall& call : draws) EXPECT_EQ(call.result, D3D_OK);
    for (const RecordedCall& call : clears) EXPECT_EQ(call.result, D3D_OK);
    EXPECT_EQ(clears.back().args[1], double(D3DCLEAR_ZBUFFER));

    auto* device = dynamic_cast<RecordingDevice*>(app.device);
    ASSERT_NE(device, nullptr);
    EXPECT_TRUE(device->pixels().empty());  // no pixel was kept or filled
    DWORD value = 0;
    app.device->GetRenderState(D3DRS_ZENABLE, &value);
    EXPECT_EQ(value, DWORD(D3DZB_TRUE));
    app.device->GetRenderState(D3DRS_ALPHABLENDENABLE, &value);
    EXPECT_EQ(value, DWORD(FALSE));
    app.device->GetRenderState(D3DRS_SRCBLEND, &value);
    EXPECT_EQ(value, DWORD(D3DBLEND_SRCALPHA));
}

#ifndef TESSAL_SANITIZED
TEST_F(EngineFrame, AFrameInSteadyPlayAllocatesNothing) {
    log.setRecording(false);
    for (int i = 0; i < 3; ++i) ASSERT_EQ(S_OK, frame());
    const long before = allocationsOnThisThread;
    for (int i = 0; i < 10; ++i) ASSERT_EQ(S_OK, frame());
    EXPECT_EQ(allocationsOnThisThread - before, 0);
}
#endif

}  // namespace

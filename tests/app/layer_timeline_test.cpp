// When a layer draws: interval bounds, gaps, sorting, open intervals,
// clears, and what a layer without intervals still gets.
#include <gtest/gtest.h>

#include "app/current_device.h"
#include "app/layer.h"
#include "platform/d3d8/recording/recording_direct3d.h"
#include "test_effects.h"

namespace {

class LayerTimelineTest : public ::testing::Test {
  protected:
    void SetUp() override {
        effectLog().clear();
        direct3d = createRecordingDirect3D(RecordingConfig{}, log);
        D3DPRESENT_PARAMETERS params{};
        params.Windowed = TRUE;
        params.BackBufferWidth = 64;
        params.BackBufferHeight = 48;
        params.SwapEffect = D3DSWAPEFFECT_DISCARD;
        params.EnableAutoDepthStencil = TRUE;
        params.AutoDepthStencilFormat = D3DFMT_D16;
        ASSERT_EQ(D3D_OK, direct3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr,
                                                 D3DCREATE_SOFTWARE_VERTEXPROCESSING, &params,
                                                 &currentDevice));
        log.clear();
        layer.effect = std::make_unique<TestEffect>(0);
        static_cast<TestEffect&>(*layer.effect).tag = "L";
    }
    void TearDown() override {
        currentDevice->Release();
        currentDevice = nullptr;
        direct3d->Release();
        clearColour = 0;
    }

    void interval(float start, float end) {
        layer.addInterval(start);
        layer.setLastEnd(end);
    }

    // What rendering at t gave: the effect's render entries, or nothing.
    std::vector<std::string> renderAt(float t) {
        effectLog().clear();
        layer.render(t);
        return effectLog();
    }

    CallLog log;
    IDirect3D8* direct3d = nullptr;
    Layer layer;
};

using Calls = std::vector<std::string>;

TEST_F(LayerTimelineTest, IntervalBoundsAreInclusive) {
    interval(5, 10);
    layer.prepare();
    EXPECT_EQ(Calls{}, renderAt(4.9f));
    EXPECT_EQ(Calls{"render L 5 5"}, renderAt(5.0f));
    EXPECT_EQ(Calls{"render L 10 5"}, renderAt(10.0f));
    EXPECT_EQ(Calls{}, renderAt(10.1f));
}

TEST_F(LayerTimelineTest, GapsDrawNothingAndLaterIntervalsPassTheirStart) {
    interval(0, 2);
    interval(4, 6);
    layer.prepare();
    EXPECT_EQ(Calls{}, renderAt(3));
    EXPECT_EQ(Calls{"render L 5 4"}, renderAt(5));
    EXPECT_EQ(Calls{"render L 1 0"}, renderAt(1));
}

TEST_F(LayerTimelineTest, PrepareSortsIntervalsByStart) {
    interval(4, 6);
    interval(0, 2);
    layer.prepare();
    EXPECT_EQ(0.0f, layer.start);
    EXPECT_EQ(6.0f, layer.end);
    EXPECT_EQ(0.0f, layer.intervals[0].start);
    EXPECT_EQ(Calls{"render L 1.5 0"}, renderAt(1.5f));
}

TEST_F(LayerTimelineTest, OverlappingIntervalsUseTheFirstInTimeOrder) {
    interval(3, 8);
    interval(1, 5);
    layer.prepare();
    EXPECT_EQ(Calls{"render L 4 1"}, renderAt(4));
    EXPECT_EQ(Calls{"render L 7 3"}, renderAt(7));
}

TEST_F(LayerTimelineTest, AnIntervalWithoutStopLastsUntilTheDemoEnds) {
    layer.addInterval(2);
    layer.prepare();
    EXPECT_EQ(Calls{}, renderAt(1));
    EXPECT_EQ(Calls{"render L 1000 2"}, renderAt(1000));
}

TEST_F(LayerTimelineTest, TheLayerEndsWithItsLastIntervalByStart) {
    layer.addInterval(0);  // open, but not the last one
    interval(5, 8);
    layer.prepare();
    EXPECT_EQ(Calls{"render L 3 0"}, renderAt(3));
    EXPECT_EQ(Calls{}, renderAt(9));
}

TEST_F(LayerTimelineTest, StopAndClearWithoutIntervalAreIgnored) {
    layer.setLastEnd(4);
    layer.setLastClear(D3DCLEAR_TARGET);
    EXPECT_TRUE(layer.intervals.empty());
}

TEST_F(LayerTimelineTest, ClearingIntervalClearsWithItsFlagsBeforeDrawing) {
    clearColour = 0x80123456;
    interval(0, 1);
    layer.setLastClear(D3DCLEAR_TARGET);
    interval(2, 3);
    layer.prepare();
    renderAt(0.5f);
    ASSERT_EQ(1u, log.count("Clear"));
    std::vector<double> args{0, D3DCLEAR_TARGET, double(0x80123456u), 1.0, 0};
    EXPECT_EQ(args, log.first("Clear")->args);
    log.clear();
    renderAt(2.5f);
    EXPECT_EQ(0u, log.count("Clear"));
}

TEST_F(LayerTimelineTest, ClearFlaggedWithNothingStillCallsClear) {
    interval(0, 1);
    layer.setLastClear(0);
    layer.prepare();
    renderAt(0.5f);
    ASSERT_EQ(1u, log.count("Clear"));
    EXPECT_EQ(0.0, log.first("Clear")->args[1]);
}

TEST_F(LayerTimelineTest, LayerWithoutIntervalsIsPreparedButNeverDrawn) {
    layer.prepare();
    EXPECT_EQ(Calls{"init1 L"}, effectLog());
    EXPECT_EQ(Calls{}, renderAt(0));
    EXPECT_EQ(0u, log.size());
}

TEST_F(LayerTimelineTest, EffectIfTypeMatchesOnlyItsOwnType) {
    EXPECT_EQ(layer.effect.get(), layer.effectIfType(0));
    EXPECT_EQ(nullptr, layer.effectIfType(2));
}

TEST(LayerLifetime, DestroyingReleasesThenDeletesTheEffect) {
    effectLog().clear();
    {
        Layer layer;
        layer.effect = std::make_unique<TestEffect>(3);
        static_cast<TestEffect&>(*layer.effect).tag = "c";
        layer.addInterval(1);
    }
    EXPECT_EQ(Calls({"release1 c", "destroy c"}), effectLog());
}

}  // namespace

// Scene layers from the script: the layer arguments and their messages,
// scene time from rate, offset and loop, fog tracks on demo time, and the
// loading and fog commands.
#include "effects/scene_effect.h"

#include <cmath>

#include "effects_fixture.h"
#include "platform/lua4/lua4.h"
#include "scene/buffer_registry.h"
#include "test_scenes.h"

namespace {

// Each test registers its own scene "Intro<n>": the registry outlives tests.
class SceneEffectTest : public EffectsTest {
  protected:
    void SetUp() override {
        EffectsTest::SetUp();
        static int made = 0;
        number = std::to_string(++made);
        TestScene built("Intro" + number);
        built.addSquare(0, 0, 0, -1);
        built.finish();
    }
    // The chunk with every @ replaced by the scene's number.
    int run(std::string chunk) {
        for (std::size_t at; (at = chunk.find('@')) != std::string::npos;)
            chunk.replace(at, 1, number);
        return EffectsTest::run(chunk);
    }
    void TearDown() override {
        bufferRegistry().releaseAll();
        EffectsTest::TearDown();
    }
    // Runs the chunk, and what it printed.
    std::string printed(const std::string& chunk) {
        testing::internal::CaptureStdout();
        run(chunk);
        return testing::internal::GetCapturedStdout();
    }

    std::string number;
};

TEST_F(SceneEffectTest, LayerArgumentsNameSceneCameraRateOffsetAndPlanes) {
    ASSERT_EQ(run("a = layer(2, 'Intro@', 'eye')\nb = layer(2, 'Intro@', 'eye', 25, 50, 2, 500)"),
              0);
    const SceneEffect& plain = effect<SceneEffect>(0);
    EXPECT_EQ(plain.camera->name, "eye");
    EXPECT_EQ(plain.frameRate, 30);
    EXPECT_EQ(plain.nearPlane, 1);
    EXPECT_EQ(plain.farPlane, 10000);
    const SceneEffect& full = effect<SceneEffect>(1);
    EXPECT_EQ(full.frameRate, 25);
    EXPECT_EQ(full.frameOffset, 50);
    EXPECT_EQ(full.nearPlane, 2);
    EXPECT_EQ(full.farPlane, 500);
}

TEST_F(SceneEffectTest, UnknownScenesAndCamerasFailTheLayerWithTheirMessages) {
    const struct {
        const char* call;
        const char* message;
    } cases[] = {
        {"layer(2, 'intro@', 'eye')", "There is no y3d scene named intro@ loaded\n"},
        {"layer(2, 'Intro@', 'nobody')", ""},
        {"layer(2, 'Intro@')", "You must define camera for y3d scene effect\n"},
        {"layer(2, 'Intro@', 'centre')", "Node centre of scene Intro@ is not a camera\n"},
    };
    for (const auto& c : cases) {
        std::string message = c.message;
        if (const std::size_t at = message.find('@'); at != std::string::npos)
            message.replace(at, 1, number);
        EXPECT_EQ(printed(c.call), message) << c.call;
        EXPECT_EQ(lastError(), "Failed to init effect") << c.call;
        run("lastError = nil");
    }
    EXPECT_EQ(layerTable().count(), 0);
}

TEST_F(SceneEffectTest, SceneTimeLoopsOverTheLengthAtTheFrameRate) {
    ASSERT_EQ(run("layer(2, 'Intro@', 'eye')"), 0);
    SceneEffect& layer = effect<SceneEffect>(0);
    EXPECT_FLOAT_EQ(layer.sceneTime(11, 10), 4800);                     // 30 frames of 160 ticks
    EXPECT_NEAR(layer.sceneTime(10 + 10.0f / 3 + 0.1f, 10), 480, 0.5);  // looped after 3⅓ s
    layer.frameOffset = 50;
    EXPECT_FLOAT_EQ(layer.sceneTime(10, 10), 8000);  // half-way
    layer.frameRate = 0;
    EXPECT_FLOAT_EQ(layer.sceneTime(99, 10), 8000);  // frozen at the offset
    layer.scene->length = 0;
    EXPECT_TRUE(std::isnan(layer.sceneTime(11, 10)));
    layer.scene->length = 100;
}

TEST_F(SceneEffectTest, FogFollowsItsTracksInDemoTimeOnlyWhileTheDensityIsAboveZero) {
    ASSERT_EQ(run("f = layer(2, 'Intro@', 'eye')\nimage = layer(0)\n"
                  "setfogstart(0, f, 10) setfogend(0, f, 20) setfogend(10, f, 40)\n"
                  "setfogcolor(0, f, 1, 0.5, 0, 1)\n"
                  "setfogdensity(0, image, 1) setfogstart(0, image, 3)"),
              0);
    prepareLayers();
    SceneEffect& layer = effect<SceneEffect>(0);
    EXPECT_FALSE(layer.fogAt(5).enabled);  // the default density 0 keeps fog off
    ASSERT_EQ(run("setfogdensity(4, f, 0.01)"), 0);
    prepareLayers();
    const SceneFog fog = layer.fogAt(5);
    EXPECT_TRUE(fog.enabled);
    EXPECT_FLOAT_EQ(fog.start, 10);
    EXPECT_FLOAT_EQ(fog.end, 30);
    EXPECT_FLOAT_EQ(fog.colour.g, 0.5f);
    EXPECT_EQ(run("setfogend(0, 2, 1)"), lua4::ERRRUN);
    EXPECT_EQ(lastError(), "Invalid layer id for some effect method (out of range)");
}

TEST_F(SceneEffectTest, RenderingUpdatesTheSceneAndDrawsItThroughTheCamera) {
    ASSERT_EQ(run("s = layer(2, 'Intro@', 'eye', 30, 0, 1, 100)"), 0);
    prepareLayers();
    device->BeginScene();
    log.clear();
    layerTable().layer(0).effect->render(12, 10);
    EXPECT_EQ(log.count("DrawIndexedPrimitive"), 2u);  // no material: both passes
    EXPECT_EQ(log.first("DrawIndexedPrimitive")->result, D3D_OK);
    EXPECT_FLOAT_EQ(effect<SceneEffect>(0).camera->projection.m[2][2], 100 / 99.0f);
}

TEST_F(SceneEffectTest, Loady3dTakesExactlyOneName) {
    EXPECT_EQ(run("loady3d()"), lua4::ERRRUN);
    EXPECT_EQ(lastError(), "Bad params for loady3d");
    EXPECT_EQ(run("loady3d('a.y3d', 'b.y3d')"), lua4::ERRRUN);
    EXPECT_EQ(lastError(), "Bad params for loady3d");
}

}  // namespace

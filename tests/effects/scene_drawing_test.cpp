// Scene drawing on the recording device: the camera, fog and fixed states
// in their order, lights by index, the two passes with each kind of
// material, and culling.
#include <cmath>
#include <map>
#include <numbers>

#include "effects_fixture.h"
#include "platform/d3d8/recording/recording_device.h"
#include "scene/buffer_registry.h"
#include "scene/scene_drawing.h"
#include "test_scenes.h"

namespace {

// What the recorded calls had set when a draw was made.
struct DrawState {
    std::map<DWORD, DWORD> renderStates;
    double materialAlpha = 0;
    double world41 = 0;  // the world matrix's x translation
};

class SceneDrawing : public EffectsTest {
  protected:
    void SetUp() override {
        EffectsTest::SetUp();
        device->BeginScene();
        log.clear();
    }
    void TearDown() override {
        bufferRegistry().releaseAll();
        EffectsTest::TearDown();
    }

    void draw(Scene& scene, SceneFog fog = {}) {
        drawScene(*device, scene, *scene.cameras[0], 1, 1000, fog, 0);
    }

    std::vector<std::string> described(std::size_t from = 0, std::size_t count = 1000) const {
        std::vector<std::string> out;
        for (std::size_t i = from; i < log.size() && out.size() < count; ++i)
            out.push_back(describe(log.calls()[i]));
        return out;
    }

    std::vector<DrawState> draws() const {
        std::vector<DrawState> out;
        DrawState now;
        for (const RecordedCall& call : log.calls()) {
            if (call.name == "SetRenderState")
                now.renderStates[DWORD(call.args[0])] = DWORD(call.args[1]);
            if (call.name == "SetMaterial") now.materialAlpha = call.args[3];
            if (call.name == "SetTransform" && call.args[0] == double(D3DTS_WORLD))
                now.world41 = call.args[13];
            if (call.name == "DrawIndexedPrimitive") out.push_back(now);
        }
        return out;
    }
};

TEST_F(SceneDrawing, CameraFogAndFixedStatesComeInOrderAndFogIsSwitchedOffAfter) {
    TestScene built("fixed states");
    built.addSquare(0, 0, 0, -1);
    Scene& scene = built.finish();
    log.clear();
    draw(scene, {true, 5, 50, {1.2f, 0.5f, -0.1f, 1}});
    const std::vector<std::string> calls = described(0, 47);
    const std::vector<std::string> expected{"SetTransform(2",
                                            "SetTransform(3",
                                            "SetRenderState(48, 1)",
                                            "SetRenderState(28, 1)",
                                            "SetRenderState(36, 1084227584)",
                                            "SetRenderState(37, 1112014848)",
                                            "SetRenderState(34, 4294934528)",  // 0xFFFF8000
                                            "SetRenderState(35, 3)",
                                            "SetRenderState(143, 1)",
                                            "SetRenderState(23, 4)",
                                            "SetRenderState(7, 1)",
                                            "SetRenderState(14, 1)",
                                            "SetRenderState(22, 3)",
                                            "SetRenderState(29, 1)",
                                            "SetRenderState(137, 1)",
                                            "SetRenderState(9, 2)",
                                            "SetRenderState(139, 0)",
                                            "SetTextureStageState(0, 16, 2)",
                                            "SetTextureStageState(0, 17, 2)",
                                            "SetTextureStageState(0, 18, 2)",
                                            "SetTextureStageState(1, 16, 2)",
                                            "SetTextureStageState(1, 17, 2)",
                                            "SetTextureStageState(1, 18, 2)",
                                            "SetTextureStageState(0, 1, 4)",
                                            "SetTextureStageState(0, 2, 2)",
                                            "SetTextureStageState(0, 3, 0)",
                                            "SetTextureStageState(0, 4, 2)",
                                            "SetTextureStageState(0, 5, 2)",
                                            "SetTextureStageState(0, 6, 0)",
                                            "SetTextureStageState(1, 1, 1)",
                                            "SetTextureStageState(1, 2, 2)",
                                            "SetTextureStageState(1, 3, 1)",
                                            "SetTextureStageState(1, 4, 1)",
                                            "SetTextureStageState(1, 5, 2)",
                                            "SetTextureStageState(1, 6, 1)",
                                            "SetRenderState(25, 7)",
                                            "SetRenderState(24, 8)",
                                            "SetRenderState(27, 0)",
                                            "SetRenderState(19, 5)",
                                            "SetRenderState(20, 6)",
                                            "SetTransform(17",
                                            "GetTextureStageState(1, 24)",
                                            "GetTextureStageState(1, 11)",
                                            "SetTextureStageState(1, 24, 2)",
                                            "SetTextureStageState(1, 11, 196608)"};
    ASSERT_GE(calls.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(calls[i].substr(0, expected[i].size()), expected[i]) << i;
    const std::vector<std::string> tail = described(log.size() - 4);
    EXPECT_EQ(tail, (std::vector<std::string>{"SetTextureStageState(1, 24, 0)",
                                              "SetTextureStageState(1, 11, 1)",
                                              "SetRenderState(48, 0)", "SetRenderState(28, 0)"}));
    // The reflection coordinates: 0.4·x + 0.5 and −0.4·y − 0.5.
    EXPECT_EQ(
        log.named("SetTransform")[2].args,
        (std::vector<double>{17, 0.4f, 0, 0, 0, 0, -0.4f, 0, 0, 0, 0, 0, 0, 0.5f, -0.5f, 0, 1}));
}

TEST_F(SceneDrawing, QuarterTurnFieldOfViewGivesTheNarrowerVerticalOneOfAFourThreePicture) {
    TestScene built("projection");
    Scene& scene = built.finish();
    draw(scene);
    const double fovY = 2 * std::atan(0.75);
    EXPECT_NEAR(fovY, 1.287, 0.001);
    const D3DXMATRIX& p = built.camera->projection;
    EXPECT_NEAR(p.m[1][1], 1 / std::tan(fovY / 2), 1e-5);
    EXPECT_NEAR(p.m[0][0], p.m[1][1] / 1.33333, 1e-4);
    EXPECT_NEAR(p.m[2][2], 1000 / 999.0, 1e-5);
    // The view looks from (0, 0, −10) along +z: the origin is 10 ahead.
    EXPECT_NEAR(built.camera->view.m[3][2], 10, 1e-5);
}

TEST_F(SceneDrawing, LightsTakeIndicesInArrayOrderAndOnlyAsManyAsTheDeviceHas) {
    TestScene built("three lights");
    built.addLight(0);
    built.addLight(1).innerConeAngle = 30;
    built.addLight(2);
    Scene& scene = built.finish();
    draw(scene);
    draw(scene);
    const std::vector<RecordedCall> set = log.named("SetLight");
    ASSERT_EQ(set.size(), 6u);
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(set[i].args[0], double(i % 3));
        EXPECT_EQ(set[i].args[1], double(i % 3 + 1));  // point, spot, directional
    }
    EXPECT_NEAR(set[1].args[25], 30 * 0.017453292, 1e-6);  // Theta
    EXPECT_EQ(scene.lightCount, 3u);

    TestScene many("ten lights");
    for (int i = 0; i < 10; ++i) many.addLight(2);
    Scene& crowded = many.finish();
    testing::internal::CaptureStdout();
    draw(crowded);
    draw(crowded);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Scene ten lights has 10 lights; the device draws the first 8\n");
    EXPECT_EQ(crowded.lightCount, 8u);

    // A scene with fewer lights switches off what the crowded one left on.
    log.clear();
    draw(scene);
    std::vector<std::string> off;
    for (const RecordedCall& call : log.named("LightEnable"))
        if (call.args[1] == 0) off.push_back(describe(call));
    EXPECT_EQ(off, (std::vector<std::string>{"LightEnable(3, 0)", "LightEnable(4, 0)",
                                             "LightEnable(5, 0)", "LightEnable(6, 0)",
                                             "LightEnable(7, 0)"}));
}

TEST_F(SceneDrawing, OpaqueGroupsFirstThenEachKindOfSeeThroughMaterial) {
    TestScene built("passes");
    built.addMaterial();                                 // 0 opaque
    built.addMaterial(0.5f);                             // 1 half transparent
    built.addMaterial(0, SceneMaterial::kAdditive);      // 2
    built.addMaterial(0, SceneMaterial::kInverseColor);  // 3
    built.addMaterial().hasAlphaTexture = true;          // 4 opacity map
    built.addMaterial(0, SceneMaterial::kTwoSided);      // 5
    for (int material : {1, 0, 2, 3, 4, 5, -1}) built.addSquare(0, 0, 0, material);
    Scene& scene = built.finish();
    draw(scene);
    std::vector<DrawState> d = draws();
    // Pass 0: opaque, no material; pass 1: the five others (two-sided twice), no material.
    ASSERT_EQ(d.size(), 9u);
    EXPECT_EQ(d[0].renderStates[D3DRS_ZWRITEENABLE], 1u);
    EXPECT_EQ(d[0].renderStates[D3DRS_ALPHABLENDENABLE], 0u);
    EXPECT_EQ(d[1].materialAlpha, 1);  // the default material
    DrawState& half = d[2];
    EXPECT_EQ(half.materialAlpha, 0.5);
    EXPECT_EQ(half.renderStates[D3DRS_ZWRITEENABLE], 0u);
    EXPECT_EQ(half.renderStates[D3DRS_SRCBLEND], DWORD(D3DBLEND_SRCALPHA));
    EXPECT_EQ(half.renderStates[D3DRS_DESTBLEND], DWORD(D3DBLEND_INVSRCALPHA));
    EXPECT_EQ(d[3].renderStates[D3DRS_SRCBLEND], DWORD(D3DBLEND_ONE));
    EXPECT_EQ(d[3].renderStates[D3DRS_DESTBLEND], DWORD(D3DBLEND_ONE));
    EXPECT_EQ(d[3].renderStates[D3DRS_ZWRITEENABLE], 1u);
    EXPECT_EQ(d[4].renderStates[D3DRS_SRCBLEND], DWORD(D3DBLEND_INVSRCCOLOR));
    EXPECT_EQ(d[4].renderStates[D3DRS_DESTBLEND], DWORD(D3DBLEND_INVDESTCOLOR));
    EXPECT_EQ(d[5].renderStates[D3DRS_ALPHATESTENABLE], 1u);
    EXPECT_EQ(d[5].renderStates[D3DRS_ALPHABLENDENABLE], 1u);
    EXPECT_EQ(d[6].renderStates[D3DRS_CULLMODE], DWORD(D3DCULL_CCW));
    EXPECT_EQ(d[7].renderStates[D3DRS_CULLMODE], DWORD(D3DCULL_CW));
    // The group without material keeps what the two-sided one left.
    EXPECT_EQ(d[8].renderStates[D3DRS_CULLMODE], DWORD(D3DCULL_CCW));
    EXPECT_EQ(d[8].renderStates[D3DRS_ALPHATESTENABLE], 0u);
    for (const RecordedCall& call : log.named("DrawIndexedPrimitive")) {
        EXPECT_EQ(call.args, (std::vector<double>{D3DPT_TRIANGLELIST, 0, 4, 0, 2}));
        EXPECT_EQ(call.result, D3D_OK);
    }
    // An untextured material lights its vertices without texture; no reflection map.
    EXPECT_EQ(device->GetTextureStageState(0, D3DTSS_COLOROP, nullptr), D3DERR_INVALIDCALL);
    DWORD op = 0;
    device->GetTextureStageState(0, D3DTSS_COLOROP, &op);
    EXPECT_EQ(op, DWORD(D3DTOP_SELECTARG2));
    device->GetTextureStageState(1, D3DTSS_COLOROP, &op);
    EXPECT_EQ(op, DWORD(D3DTOP_DISABLE));
}

TEST_F(SceneDrawing, MeshesOutsideTheViewVolumeAreNotDrawn) {
    TestScene built("culling");
    built.addSquare(0, 0, 0, -1);         // 0 in view
    built.addSquare(0, 0, -20, -1);       // 1 behind the camera
    built.addSquare(0, 0, 1005, -1, 20);  // 2 past the far plane
    // 3: just left of the view (the left plane is x = −(z + 10) there): its
    // bounding sphere reaches in, its corners all lie outside.
    built.addSquare(-21.2f, 0, 10, -1, 2);
    built.addInstance(0, 0, 0, -20);  // 4 behind, by its own matrix
    built.addInstance(0, 3, 0, 0);    // 5 in view
    Scene& scene = built.finish();
    draw(scene);
    std::vector<bool> visible;
    for (const SceneMesh* mesh : scene.meshes) visible.push_back(mesh->visible);
    EXPECT_EQ(visible, (std::vector<bool>{true, false, false, false, false, true}));
    std::vector<DrawState> d = draws();
    ASSERT_EQ(d.size(), 4u);  // two meshes, each drawn in both passes without a material
    EXPECT_EQ(d[1].world41, 3);
}

TEST_F(SceneDrawing, ManagedBuffersKeepTheSceneDrawableAfterAReset) {
    TestScene built("reset");
    built.addLight(2);
    built.addSquare(0, 0, 0, -1);
    Scene& scene = built.finish();
    draw(scene);
    device->EndScene();
    D3DPRESENT_PARAMETERS params = static_cast<RecordingDevice*>(device)->presentParameters();
    ASSERT_EQ(device->Reset(&params), D3D_OK);
    device->BeginScene();
    log.clear();
    draw(scene);
    ASSERT_EQ(log.count("DrawIndexedPrimitive"), 2u);
    for (const RecordedCall& call : log.named("DrawIndexedPrimitive"))
        EXPECT_EQ(call.result, D3D_OK);
    BOOL on = FALSE;
    EXPECT_EQ(device->GetLightEnable(0, &on), D3D_OK);
    EXPECT_TRUE(on);
}

}  // namespace

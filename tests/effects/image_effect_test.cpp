// The image effect through the script and on the recording device: what
// `layer` and the image commands set, and the device calls of a frame.
#include "effects/image_effect.h"

#include "effects_fixture.h"

namespace {

class ImageEffectTest : public EffectsTest {
  protected:
    void SetUp() override {
        EffectsTest::SetUp();
        // A texture of 128 x 64 to name (a capture texture has a stated size).
        ASSERT_EQ(textureStore().createCaptureTexture("tex", 128, 64), 0);
        log.clear();
    }
};

TEST_F(ImageEffectTest, LayerArgumentsNameTheTextureBlendsAndFilter) {
    ASSERT_EQ(run("a = layer(0)\n"
                  "b = layer(0, 'tex', 5, 6, 0)\n"
                  "c = layer(0, 'nothing', 9.7)\n"
                  "d = layer(0, 'tex', 2, 1, 0.5)"),
              0)
        << lastError();
    ImageEffect& plain = effect<ImageEffect>(0);
    EXPECT_EQ(plain.textureIndex, -1);
    EXPECT_EQ(plain.srcBlend, DWORD(D3DBLEND_ONE));
    EXPECT_EQ(plain.destBlend, DWORD(D3DBLEND_ZERO));
    EXPECT_EQ(plain.filter, DWORD(D3DTEXF_LINEAR));
    ImageEffect& blended = effect<ImageEffect>(1);
    EXPECT_EQ(blended.textureIndex, 0);
    EXPECT_EQ(blended.srcBlend, DWORD(D3DBLEND_SRCALPHA));
    EXPECT_EQ(blended.destBlend, DWORD(D3DBLEND_INVSRCALPHA));
    EXPECT_EQ(blended.filter, DWORD(D3DTEXF_POINT));
    EXPECT_EQ(effect<ImageEffect>(2).textureIndex, -1);  // not in the store: no message
    EXPECT_EQ(effect<ImageEffect>(2).srcBlend, 9u);
    EXPECT_EQ(effect<ImageEffect>(3).filter, DWORD(D3DTEXF_POINT));  // 0.5 truncates to 0
    EXPECT_EQ(log.count("CreateTexture"), 0u);                       // `layer` loads nothing
}

// Exactly the calls of one frame, in order, with their values.
TEST_F(ImageEffectTest, ARenderSetsTheStatesDrawsOneStripAndRestoresDepthAndBlending) {
    ASSERT_EQ(run("layer(0, 'tex', 5, 6, 1)"), 0);
    prepareLayers();
    ASSERT_EQ(device->BeginScene(), D3D_OK);
    log.clear();
    effect<ImageEffect>(0).render(1.0f, 0.0f);
    const std::string texture =
        std::to_string(static_cast<long long>(address(textureStore().texture(0))));
    std::vector<std::string> calls;
    for (const RecordedCall& call : log.calls())
        calls.push_back(call.name == "DrawPrimitiveUP" ? "DrawPrimitiveUP" : describe(call));
    const std::vector<std::string> expected = {
        "GetViewport()",
        "SetTexture(0, " + texture + ")",
        "SetTexture(1, 0)",
        "SetTextureStageState(0, 17, 2)",
        "SetTextureStageState(0, 18, 2)",
        "SetTextureStageState(0, 16, 2)",
        "SetTextureStageState(0, 1, 4)",
        "SetTextureStageState(0, 2, 2)",
        "SetTextureStageState(0, 3, 0)",
        "SetTextureStageState(1, 1, 1)",
        "SetRenderState(15, 1)",
        "SetRenderState(25, 5)",
        "SetRenderState(24, 0)",
        "SetTextureStageState(0, 4, 4)",
        "SetTextureStageState(0, 5, 2)",
        "SetTextureStageState(0, 6, 0)",
        "SetTextureStageState(1, 4, 1)",
        "SetRenderState(27, 1)",
        "SetRenderState(20, 6)",
        "SetRenderState(19, 5)",
        "SetRenderState(139, 4294967295)",
        "SetRenderState(29, 0)",
        "SetRenderState(137, 0)",
        "SetRenderState(7, 0)",
        "SetVertexShader(452)",
        "DrawPrimitiveUP",
        "SetRenderState(7, 1)",
        "SetRenderState(27, 0)",
        "SetRenderState(15, 0)",
    };
    EXPECT_EQ(calls, expected);
    // The strip: type, two primitives, stride 32, then four vertices of
    // x, y, z, rhw, diffuse, specular, u, v.
    const RecordedCall* draw = log.first("DrawPrimitiveUP");
    ASSERT_NE(draw, nullptr);
    const std::vector<double> strip = {5,          2, 32, 256, 208, 0.5, 0.5, 0xffffffff,
                                       0xffffffff, 0, 0,  384, 208, 0.5, 0.5, 0xffffffff,
                                       0xffffffff, 1, 0,  256, 272, 0.5, 0.5, 0xffffffff,
                                       0xffffffff, 0, 1,  384, 272, 0.5, 0.5, 0xffffffff,
                                       0xffffffff, 1, 1};
    EXPECT_EQ(draw->args, strip);
    EXPECT_EQ(draw->result, D3D_OK);
}

TEST_F(ImageEffectTest, WithoutATextureTheQuadIs256SquareAndTheStageIsUnbound) {
    ASSERT_EQ(run("layer(0, 'missing')"), 0);
    prepareLayers();
    device->BeginScene();
    log.clear();
    effect<ImageEffect>(0).render(0.0f, 0.0f);
    EXPECT_EQ(log.first("SetTexture")->args, (std::vector<double>{0, 0}));
    const ImageVertex(&quad)[4] = effect<ImageEffect>(0).vertices();
    EXPECT_EQ(quad[0].x, 192.0f);
    EXPECT_EQ(quad[3].x, 448.0f);
    EXPECT_EQ(quad[0].y, 112.0f);
    EXPECT_EQ(quad[3].y, 368.0f);
}

// Keys are added in any order and sorted before the first frame; tracks
// are evaluated in absolute demo time, whatever the interval's start.
TEST_F(ImageEffectTest, CommandsAddKeysThatAreSortedAndEvaluatedInDemoTime) {
    ASSERT_EQ(run("id = layer(0, 'tex')\n"
                  "setimagepos(10, id, 420, 240)\n"
                  "setimagepos(0, id, 220, 240)\n"
                  "setimagecolor(0, id, 255, 255, 255, 0)\n"
                  "setimagecolor(10, id, 255, 255, 255, 200)\n"
                  "setimagerot(0, id, 0)\n"
                  "setimagescale(0, id, 1, 1)\n"
                  "setimagepivot(4, id, 0, 0)"),
              0)
        << lastError();
    ImageEffect& image = effect<ImageEffect>(0);
    EXPECT_EQ(image.position.keyCount(), 3u);  // the default key and two more
    EXPECT_EQ(image.pivot.keyCount(), 1u);
    prepareLayers();
    device->BeginScene();
    image.render(5.0f, 3.0f);
    const ImageVertex(&quad)[4] = image.vertices();
    // Position 320 at t = 5; the pivot puts the top-left corner there.
    EXPECT_FLOAT_EQ(quad[0].x, 320.0f);
    EXPECT_FLOAT_EQ(quad[0].y, 240.0f);
    EXPECT_EQ(quad[0].diffuse, 0x64ffffffu);  // alpha 100 halfway
}

TEST_F(ImageEffectTest, CommandsCheckTheLayerIdAndIgnoreOtherEffectTypes) {
    ASSERT_EQ(run("img = layer(0)\ncap = layer(3, 'tex', 0)"), 0);
    ASSERT_EQ(run("setimagepos(0, cap, 1, 2)\nsetimagecolor(0, cap, 1, 2, 3, 4)\nok = 1"), 0);
    EXPECT_EQ(run("assert(ok == 1)"), 0);
    for (const char* call :
         {"setimagepos(0, 2, 1, 1)", "setimagerot(0, -1, 5)", "setimagescale(0, 7.5, 1, 1)",
          "setimagepivot(0, 5)", "setimagecolor(0, 2)"}) {
        EXPECT_NE(run(call), 0) << call;
        EXPECT_EQ(lastError(), "Invalid layer id for some effect method (out of range)") << call;
    }
    EXPECT_EQ(effect<ImageEffect>(0).position.keyCount(), 1u);
}

}  // namespace

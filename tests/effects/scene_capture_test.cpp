// Scene layers as tessal-capture draws them on the GL backend: pixel
// colours that follow from the lighting equations, blending of each kind of
// see-through material, two-sided faces, fog and the clipping planes. Each
// case is a square 8 units wide, 10 units in front of the camera, filling
// the middle of a 64 × 48 frame; the clear colour is black.
#include <numbers>
#include <optional>

#include "capture_tool_fixture.h"
#include "scene/y3d_chunk_writers.h"

namespace {

struct Square {
    float z = 0;
    std::uint32_t material = 0;
    bool facingAway = false;
};

struct LightAt {
    Y3dLight light;
    D3DXVECTOR3 position;
};

void writeStill(Y3dWriter& out, D3DXVECTOR3 position) {
    const Y3dVectorKey at{0, position}, one{0, {1, 1, 1}};
    writePositionTrack(out, {&at, 1});
    writeScaleTrack(out, {&one, 1});
}

void writeNode(Y3dWriter& out, const char* name, int id, int target, D3DXVECTOR3 position) {
    Y3dNodeHeader header;
    header.name = name;
    header.id = id;
    header.targetId = target;
    writeNodeHeader(out, header);
    writeStill(out, position);
    out.end();
}

// Corners drawn clockwise as the camera sees them (the file stores each
// triangle's first two corners swapped), or anticlockwise facing away.
void writeSquare(Y3dWriter& out, int id, const Square& square) {
    beginMesh(out);
    Y3dNodeHeader header;
    header.name = "square" + std::to_string(id);
    header.id = id;
    writeNodeHeader(out, header);
    const float n = square.facingAway ? 1.0f : -1.0f;
    const SceneVertex corners[4] = {{{-4, 4, 0}, {0, 0, n}, 0, 0},
                                    {{4, 4, 0}, {0, 0, n}, 1, 0},
                                    {{4, -4, 0}, {0, 0, n}, 1, 1},
                                    {{-4, -4, 0}, {0, 0, n}, 0, 1}};
    writeMeshVertices(out, corners);
    const std::vector<Y3dTriangle> front{{1, 0, 2}, {2, 0, 3}}, back{{0, 1, 2}, {0, 2, 3}};
    writeMeshFaceGroup(out, square.material, square.facingAway ? back : front);
    writeStill(out, {0, 0, square.z});
    out.end();
}

// Camera "eye" at (0, 0, −10) looking at the dummy at the origin with a
// horizontal field of view of 90°.
std::string sceneFile(const std::vector<Y3dMaterial>& materials, const std::vector<Square>& squares,
                      std::optional<LightAt> light = {}) {
    Y3dWriter out;
    beginContainer(out);
    writeSceneTiming(out, 0, 100, 160);
    for (const Y3dMaterial& material : materials) {
        beginMaterial(out, material);
        out.end();
    }
    beginDummy(out);
    writeNode(out, "centre", 1, -1, {0, 0, 0});
    beginCamera(out, {0, std::numbers::pi_v<float> / 2, 10});
    writeNode(out, "eye", 2, 1, {0, 0, -10});
    if (light) {
        beginLight(out, light->light);
        writeNode(out, "light", 3, 1, light->position);
    }
    for (std::size_t i = 0; i < squares.size(); ++i) writeSquare(out, int(10 + i), squares[i]);
    const std::vector<std::uint8_t> bytes = out.finish();
    return std::string(bytes.begin(), bytes.end());
}

Y3dMaterial emissive(Y3dColor colour, float transparency = 0, std::uint32_t flags = 0) {
    Y3dMaterial material;
    material.emissive = colour;
    material.transparency = transparency;
    material.flags = flags;
    return material;
}

Y3dMaterial diffuse(Y3dColor colour) {
    Y3dMaterial material;
    material.diffuse = colour;
    return material;
}

LightAt whiteDirectional(D3DXVECTOR3 position) {
    LightAt light{{}, position};
    light.light.kind = 2;
    light.light.diffuse = {1, 1, 1};
    return light;
}

class SceneCaptureRender : public CaptureToolRender {
  protected:
    // One layer per case, the case's scene shown from second `index`.
    void addCase(const std::string& file, const std::string& contents,
                 const std::string& extraArguments = "", const std::string& keys = "") {
        const std::string at = std::to_string(cases_++);
        write("data/" + file, contents);
        script_ += "loady3d('" + file + "')\nl = layer(2, '" + file + "', 'eye'" + extraArguments +
                   ")\nstart(" + at + ", l) stop(" + at + ".5, l)\n" + keys;
    }

    void captureCases() {
        write("data/script.lua", "setendtime(" + std::to_string(cases_) +
                                     ")\nsetclearcolor(0, 0, 0, 255)\n" + script_);
        ASSERT_EQ(capture(float(cases_) - 0.5f, 1), 0)
            << "run " << captureTool << " (build it first)";
    }

  private:
    std::string script_;
    int cases_ = 0;
};

TEST_F(SceneCaptureRender, LightingFollowsTheEquations) {
    addCase("emissive.y3d", sceneFile({emissive({0.5f, 0.25f, 0})}, {{}}));
    // Lit straight on (N·L = 1), then at 60° (N·L = 0.5).
    addCase("front.y3d",
            sceneFile({diffuse({0.8f, 0.4f, 0.2f})}, {{}}, whiteDirectional({0, 0, -10})));
    addCase("slant.y3d",
            sceneFile({diffuse({0.8f, 0.4f, 0.2f})}, {{}}, whiteDirectional({0, 8.660254f, -5})));
    // Only the light's ambient colour times the material's.
    Y3dMaterial ambient;
    ambient.ambient = {1, 0.5f, 0.25f};
    LightAt dim = whiteDirectional({0, 0, -10});
    dim.light.diffuse = {0, 0, 0};
    dim.light.ambient = {0.4f, 0.4f, 0.4f};
    addCase("ambient.y3d", sceneFile({ambient}, {{}}, dim));
    captureCases();
    EXPECT_TRUE(near(frame(0), 32, 24, 0x804000, 3));
    EXPECT_TRUE(near(frame(1), 32, 24, 0xcc6633, 3));
    EXPECT_TRUE(near(frame(2), 32, 24, 0x663319, 3));
    EXPECT_TRUE(near(frame(3), 32, 24, 0x663319, 3));
    EXPECT_TRUE(near(frame(0), 4, 4, 0x000000, 0));  // outside the square
}

TEST_F(SceneCaptureRender, SeeThroughMaterialsBlendOverWhatIsBehind) {
    const Y3dMaterial red = emissive({1, 0, 0}), darkRed = emissive({0.5f, 0, 0});
    addCase("transparent.y3d",
            sceneFile({red, emissive({0, 1, 0}, 0.5f)}, {{0, 1}, {2, 0}}));  // front first
    addCase("additive.y3d",
            sceneFile({darkRed, emissive({0.25f, 0.25f, 0.25f}, 0, 1)}, {{0, 1}, {2, 0}}));
    addCase("twosided.y3d", sceneFile({emissive({1, 1, 1}, 0, 4)}, {{0, 0, true}}));
    addCase("onesided.y3d", sceneFile({emissive({1, 1, 1})}, {{0, 0, true}}));
    captureCases();
    EXPECT_TRUE(near(frame(0), 32, 24, 0x808000, 4));
    EXPECT_TRUE(near(frame(1), 32, 24, 0xbf4040, 4));
    EXPECT_TRUE(near(frame(2), 32, 24, 0xffffff, 2));
    EXPECT_TRUE(near(frame(3), 32, 24, 0x000000, 0));
}

TEST_F(SceneCaptureRender, FogAndTheClippingPlanes) {
    const std::string white = sceneFile({emissive({1, 1, 1})}, {{}});
    // Linear black fog from 0 to 20: half way at the square's distance 10.
    addCase("fog.y3d", white, "",
            "setfogdensity(0, l, 1) setfogcolor(0, l, 0, 0, 0, 1)\n"
            "setfogstart(0, l, 0) setfogend(0, l, 20)\n");
    addCase("near.y3d", white, ", 30, 0, 11, 100");  // nearer than the near plane
    addCase("far.y3d", white, ", 30, 0, 1, 9");      // farther than the far plane
    addCase("inside.y3d", white, ", 30, 0, 9, 11");
    captureCases();
    EXPECT_TRUE(near(frame(0), 32, 24, 0x808080, 4));
    EXPECT_TRUE(near(frame(1), 32, 24, 0x000000, 0));
    EXPECT_TRUE(near(frame(2), 32, 24, 0x000000, 0));
    EXPECT_TRUE(near(frame(3), 32, 24, 0xffffff, 2));
}

}  // namespace

// `tessal-y3d info`: the text and JSON reports of a scene made with the
// writer, with and without a scene time, and its command line.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

#include "json_out.h"
#include "scene/scene_reader.h"
#include "scene/y3d_chunk_writers.h"
#include "scene_info.h"
#include "y3d_options.h"

namespace {

using ::testing::HasSubstr;
using ::testing::Not;

Y3dNodeHeader header(const std::string& name, std::int32_t id, std::int32_t parent = -1,
                     std::int32_t target = -1) {
    Y3dNodeHeader h;
    h.name = name;
    h.id = id;
    h.parentId = parent;
    h.targetId = target;
    return h;
}

void still(Y3dWriter& out, D3DXVECTOR3 at) {
    writePositionTrack(out, std::vector<Y3dVectorKey>{{0, at}});
    writeScaleTrack(out, std::vector<Y3dVectorKey>{{0, {1, 1, 1}}});
}

// A dummy at (10, 0, 0) with a camera child at (0, 5, 0) aimed at a mesh;
// a morphing mesh; a dummy whose parent id matches nothing.
std::unique_ptr<Scene> sampleScene(std::optional<float> at) {
    Y3dWriter out;
    beginContainer(out);
    writeSceneTiming(out, 0, 50, 160);
    beginMaterial(out, {"stone\x01", {}, {}, {}, {}, 0.5f, 0, 4});
    writeMaterialMap(out, 0, "stone.png");
    writeMaterialMap(out, 1, "holes.png");
    out.end();
    beginDummy(out);
    writeNodeHeader(out, header("rig", 1));
    still(out, {10, 0, 0});
    out.end();
    beginCamera(out, {0, 1.5f, 100});
    writeNodeHeader(out, header("eye", 2, 1, 3));
    still(out, {0, 5, 0});
    writeRollTrack(out, std::vector<Y3dScalarKey>{{0, 0}, {100, 1}});
    out.end();
    Y3dPackedMesh packed;
    packed.vertexCount = 3;
    packed.frames = {{0, {{0, 0, 0}, {0, 1, 0}, {1, 0, 0}}},
                     {100, {{0, 0, 4}, {0, 1, 4}, {1, 0, 4}}}};
    packed.faces = {{1, 0, 2}};
    packed.faceMaterials = {0};
    packed.smoothingGroups = {0};
    beginPackedMesh(out, packed);
    writeNodeHeader(out, header("blob", 3));
    still(out, {0, 0, 0});
    out.end();
    beginDummy(out);
    writeNodeHeader(out, header("lost", 4, 77));
    out.end();
    const std::vector<std::uint8_t> bytes = out.finish();
    auto scene = readScene(bytes.data(), bytes.size());
    if (scene) readyForInfo(*scene, {"sample.y3d", at});
    return scene;
}

TEST(InfoText, ShowsTimingMaterialsTheNodeTreeAndMeshes) {
    const auto scene = sampleScene(std::nullopt);
    ASSERT_NE(scene, nullptr);
    const std::string text = sceneInfoText(*scene, {"sample.y3d", std::nullopt});
    EXPECT_THAT(text, HasSubstr("timing: first 0, length 50 frames, 160 ticks per frame"));
    EXPECT_THAT(text, HasSubstr("colour map stone.png  opacity map holes.png"));
    EXPECT_THAT(text, HasSubstr("flags 0x4"));
    EXPECT_THAT(text, HasSubstr("  dummy \"rig\" id 1  keys position 1 rotation 0 scale 1\n"
                                "    camera \"eye\" id 2  target \"blob\"  keys position 1 "
                                "rotation 0 scale 1 fov 0 roll 2\n"));
    EXPECT_THAT(text, HasSubstr(" outside the hierarchy (never moved):\n"
                                "  dummy \"lost\" id 4  parent id 77"));
    EXPECT_THAT(text, HasSubstr("[0] \"blob\": morphing, 3 vertices, 1 face groups (material 0: "
                                "1 triangles), 2 frames"));
    EXPECT_THAT(text, HasSubstr("bounds centre (0.5, 0.5, 2) min (0, 0, 0) max (1, 1, 4)"));
    EXPECT_THAT(text, Not(HasSubstr(" at (")));
}

TEST(InfoText, AtATimeAddsWorldPositionsCameraValuesAndMorphVertices) {
    const auto scene = sampleScene(50.0f);
    ASSERT_NE(scene, nullptr);
    const std::string text = sceneInfoText(*scene, {"sample.y3d", 50.0f});
    EXPECT_THAT(text, HasSubstr("\"rig\" id 1  keys position 1 rotation 0 scale 1  at (10, 0, 0)"));
    EXPECT_THAT(text, HasSubstr("at (10, 5, 0)  roll 0.5  fov 1.5"));
    EXPECT_THAT(text, HasSubstr("vertices at 50:\n        0 (0, 0, 2)\n        1 (0, 1, 2)"));
    EXPECT_THAT(text, Not(HasSubstr("\"lost\" id 4  parent id 77  keys position 0 rotation 0 "
                                    "scale 0  at")));
}

TEST(InfoJson, HoldsTheSameAsOneObject) {
    const auto scene = sampleScene(50.0f);
    ASSERT_NE(scene, nullptr);
    const std::string json = sceneInfoJson(*scene, {"sample.y3d", 50.0f});
    EXPECT_EQ(json.front(), '{');
    EXPECT_EQ(json.substr(json.size() - 2), "}\n");
    EXPECT_THAT(json, HasSubstr("\"timing\":{\"first\":0,\"length\":50,\"ticksPerFrame\":160}"));
    EXPECT_THAT(json, HasSubstr("{\"name\":\"stone\\u0001\",\"maps\":{\"colour\":\"stone.png\","
                                "\"opacity\":\"holes.png\",\"reflection\":null,\"unused\":null}"));
    EXPECT_THAT(json, HasSubstr("{\"name\":\"eye\",\"kind\":\"camera\",\"id\":2,\"parentId\":1,"
                                "\"parent\":\"rig\",\"targetId\":3,\"target\":\"blob\",\"keys\":"
                                "{\"position\":1,\"rotation\":0,\"scale\":1,\"fov\":0,\"roll\":2},"
                                "\"position\":[10,5,0],\"roll\":0.5,\"fov\":1.5}"));
    EXPECT_THAT(json, HasSubstr("\"name\":\"rig\",\"kind\":\"dummy\",\"id\":1,\"parentId\":-1,"
                                "\"parent\":null"));
    EXPECT_THAT(json, HasSubstr("\"parentId\":77,\"parent\":null"));
    EXPECT_THAT(json, HasSubstr("\"position\":null"));  // the orphan never moves
    EXPECT_THAT(json, HasSubstr("\"vertexCount\":3,\"faceGroups\":[{\"material\":0,"
                                "\"triangles\":1}],\"frameCount\":2"));
    EXPECT_THAT(json, HasSubstr("\"vertices\":[[0,0,2],[0,1,2],[1,0,2]]"));
}

TEST(JsonOutput, EscapesQuotesControlAndHighBytesAndNullsNonFiniteNumbers) {
    JsonOut json;
    json.beginArray();
    json.string("a\"b\\c\n\xe9");
    json.number(std::nan(""));
    json.number(-1.5);
    json.beginObject();
    json.key("k");
    json.boolean(true);
    json.endObject();
    json.endArray();
    EXPECT_EQ(json.text(), "[\"a\\\"b\\\\c\\u000a\\u00e9\",null,-1.5,{\"k\":true}]");
}

bool parse(std::vector<const char*> args, Y3dToolOptions& options, std::string& error) {
    args.insert(args.begin(), "tessal-y3d");
    return parseY3dOptions(int(args.size()), const_cast<char**>(args.data()), options, error);
}

TEST(Y3dOptions, InfoAndConvertTakeTheirOptionsAndRefuseOthers) {
    Y3dToolOptions o;
    std::string error;
    ASSERT_TRUE(parse({"info", "--at", "480", "--json", "a.y3d"}, o, error));
    EXPECT_EQ(o.command, Y3dCommand::Info);
    EXPECT_FLOAT_EQ(*o.at, 480);
    EXPECT_TRUE(o.json);
    EXPECT_EQ(o.input, "a.y3d");
    Y3dToolOptions c;
    ASSERT_TRUE(parse({"convert", "--scale=0.5", "--no-camera", "m.obj", "m.y3d"}, c, error));
    EXPECT_FLOAT_EQ(c.scale, 0.5f);
    EXPECT_FALSE(c.addCamera);
    EXPECT_EQ(c.output, "m.y3d");
    Y3dToolOptions bad;
    EXPECT_FALSE(parse({"info", "--at", "soon", "a.y3d"}, bad, error));
    EXPECT_THAT(error, HasSubstr("--at needs a number"));
    EXPECT_FALSE(parse({"info", "--scale", "2", "a.y3d"}, bad, error));
    EXPECT_FALSE(parse({"info", "a.y3d", "b.y3d"}, bad, error));
    EXPECT_FALSE(parse({"convert", "m.obj"}, bad, error));
    EXPECT_FALSE(parse({"explode"}, bad, error));
    Y3dToolOptions help;
    EXPECT_TRUE(parse({"info", "--help"}, help, error));
    EXPECT_EQ(help.command, Y3dCommand::Help);
}

}  // namespace

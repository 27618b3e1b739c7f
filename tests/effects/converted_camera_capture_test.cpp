// A glTF camera converted by tessal-y3d shows in the player what it showed
// in the modelling tool: a red square straight ahead lands in the middle of
// the frame, a green one to the camera's right on the right, a blue one
// above it at the top.
#include <sys/wait.h>

#include <cstdlib>

#include "capture_tool_fixture.h"
#include "support/base64.h"

namespace {

const std::string y3dTool = std::string(TESSAL_BINARY_DIR) + "/tools/tessal-y3d";

// A unit square at z = -5 facing +z (counter-clockwise seen from the
// camera), the camera at the origin looking down -z, as glTF has it.
std::string squaresGltf() {
    const float positions[] = {-0.5f, -0.5f, -5, 0.5f, -0.5f, -5, 0.5f, 0.5f, -5, -0.5f, 0.5f, -5};
    const std::uint16_t indices[] = {0, 1, 2, 0, 2, 3};
    std::string raw(reinterpret_cast<const char*>(positions), sizeof positions);
    raw.append(reinterpret_cast<const char*>(indices), sizeof indices);
    std::string meshes, materials;
    for (const char* colour : {"[1,0,0]", "[0,1,0]", "[0,0,1]"}) {
        materials += std::string(materials.empty() ? "" : ",") + R"({"emissiveFactor":)" + colour +
                     R"(,"pbrMetallicRoughness":{"baseColorFactor":[0,0,0,1]}})";
    }
    for (int m = 0; m < 3; ++m)
        meshes += std::string(m ? "," : "") +
                  R"({"primitives":[{"attributes":{"POSITION":0},"indices":1,"material":)" +
                  std::to_string(m) + "}]}";
    return R"({"asset":{"version":"2.0"},"scene":0,"scenes":[{"nodes":[0,1,2,3]}],
"nodes":[{"name":"eye","camera":0},{"name":"ahead","mesh":0},
 {"name":"right","mesh":1,"translation":[1.5,0,0]},{"name":"up","mesh":2,"translation":[0,1.2,0]}],
"cameras":[{"type":"perspective","perspective":{"yfov":0.8,"aspectRatio":1.3333333,"znear":0.1,"zfar":100}}],
"materials":[)" +
           materials + R"(],"meshes":[)" + meshes + R"(],
"buffers":[{"byteLength":60,"uri":"data:application/octet-stream;base64,)" +
           base64(raw) + R"("}],
"bufferViews":[{"buffer":0,"byteOffset":0,"byteLength":48},{"buffer":0,"byteOffset":48,"byteLength":12}],
"accessors":[{"bufferView":0,"componentType":5126,"count":4,"type":"VEC3","min":[-0.5,-0.5,-5],"max":[0.5,0.5,-5]},
 {"bufferView":1,"componentType":5123,"count":6,"type":"SCALAR"}]})";
}

class ConvertedCameraCapture : public CaptureToolRender {};

TEST_F(ConvertedCameraCapture, ShowsWhatTheInputCameraShowed) {
    write("squares.gltf", squaresGltf());
    const std::string convert = "cd '" + dir.string() + "' && '" + y3dTool +
                                "' convert squares.gltf data/squares.y3d > convert.txt 2>&1";
    const int status = std::system(convert.c_str());
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "convert failed";
    write("data/script.lua",
          "setendtime(1)\nsetclearcolor(0, 0, 0, 255)\nloady3d('squares.y3d')\n"
          "l = layer(2, 'squares.y3d', 'eye')\nstart(0, l) stop(1, l)\n");
    ASSERT_EQ(capture(0), 0);
    const DecodedImage image = frame(0);
    // 64 x 48 frame; at 5 units the view is 2.11 units high and 2.82 wide
    // each side of the middle.
    EXPECT_TRUE(near(image, 32, 24, 0xff0000, 60));
    EXPECT_TRUE(near(image, 49, 24, 0x00ff00, 60));
    EXPECT_TRUE(near(image, 32, 10, 0x0000ff, 60));
    EXPECT_TRUE(near(image, 15, 24, 0x000000, 60));  // nothing to the left
    EXPECT_TRUE(near(image, 32, 38, 0x000000, 60));  // nor below
}

}  // namespace

// OBJ and MTL reading, and conversion to y3d: mirrored handedness, faces
// that stay front-facing, flipped texture v, fans, materials, vertex limits
// and the added camera.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string_view>

#include "d3dx/d3dx_math.h"
#include "obj_conversion.h"
#include "scene/scene_reader.h"

namespace {

using ::testing::HasSubstr;

std::span<const std::uint8_t> bytesOf(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

ObjModel readText(std::string_view text) {
    ObjModel model;
    std::string error;
    EXPECT_TRUE(readObj(bytesOf(text), "model", model, error)) << error;
    return model;
}

std::string objError(std::string_view text) {
    ObjModel model;
    std::string error;
    EXPECT_FALSE(readObj(bytesOf(text), "model", model, error));
    return error;
}

constexpr std::string_view kCube =
    "mtllib cube.mtl\n"
    "o Box\n"
    "v -1 -1 -1\nv 1 -1 -1\nv 1 1 -1\nv -1 1 -1\n"
    "v -1 -1 1\nv 1 -1 1\nv 1 1 1\nv -1 1 1\n"
    "vt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\n"
    "usemtl Wood\n"
    "f 1/1 4/4 3/3 2/2\n"  // z = -1, counter-clockwise seen from -z
    "f 5/1 6/2 7/3 8/4\n"  // z = +1, seen from +z
    "usemtl Paint\n"
    "f 1 2 6 5\nf 2 3 7 6\nf 3 4 8 7\nf 4 1 5 8  # sides\n";

TEST(ObjReading, StatementsIndicesAndObjects) {
    const ObjModel model = readText(
        "# comment\r\n"
        "v 0 0 0\nv 1 0 0\nv 0 1 0 1.0\nvn 0 0 1\nvt 0.5 0.5\n"
        "f 1//1 2//1 3//1\n"
        "g second part\n"
        "usemtl Metal\n"
        "f -3/1 -2/1/1 -1\n"
        "s off\nl 1 2\n");
    ASSERT_EQ(model.objects.size(), 2u);
    EXPECT_EQ(model.objects[0].name, "model");  // faces before any o or g
    EXPECT_EQ(model.objects[1].name, "second part");
    const ObjFace& face = model.objects[1].faces[0];
    EXPECT_EQ(face.corners[0].position, 0u);
    EXPECT_EQ(face.corners[0].uv, 0);
    EXPECT_EQ(face.corners[0].normal, -1);
    EXPECT_EQ(face.corners[1].normal, 0);
    EXPECT_EQ(face.material, 0);
    EXPECT_EQ(model.objects[0].faces[0].material, -1);
    EXPECT_EQ(model.materialNames, (std::vector<std::string>{"Metal"}));
}

TEST(ObjReading, LinesThatCannotBeUsedAreNamedByNumber) {
    EXPECT_EQ(objError("v 0 0 0\nv 1 0\n"), "line 2: v needs 3 numbers");
    EXPECT_EQ(objError("v 0 0 zero\n"), "line 1: 'zero' is not a number");
    EXPECT_EQ(objError("v 0 0 0\nf 1 1\n"), "line 2: a face needs at least three corners");
    EXPECT_THAT(objError("v 0 0 0\nf 1 2 1\n"), HasSubstr("line 2: index 2 names none of the 1"));
    EXPECT_THAT(objError("v 0 0 0\nf 1/1 1 1\n"), HasSubstr("names none of the 0"));
    EXPECT_THAT(objError("v 0 0 0\nf 0 1 1\n"), HasSubstr("index 0"));
    EXPECT_THAT(objError("v 0 0 0\nf -2 1 1\n"), HasSubstr("index -2"));
}

TEST(MtlReading, ColoursShininessTransparencyAndMaps) {
    std::vector<MtlMaterial> materials;
    std::string error;
    ASSERT_TRUE(readMtl(bytesOf("newmtl Wood Dark\nKd 0.5 0.25 0\nKa 0.1\nNs 250\nd 0.75\n"
                                "map_Kd -bm 1 wood.png\nmap_d mask.png\nrefl sky.jpg\n"
                                "newmtl Glass\nTr 0.9\n"),
                        materials, error));
    ASSERT_EQ(materials.size(), 2u);
    const MtlMaterial& wood = materials[0];
    EXPECT_EQ(wood.name, "Wood Dark");
    EXPECT_FLOAT_EQ(wood.diffuse.g, 0.25f);
    EXPECT_FLOAT_EQ(wood.ambient.b, 0.1f);
    EXPECT_FLOAT_EQ(wood.shininess, 2.5f);
    EXPECT_FLOAT_EQ(wood.transparency, 0.25f);
    EXPECT_EQ(wood.colorMap, "wood.png");
    EXPECT_EQ(wood.opacityMap, "mask.png");
    EXPECT_EQ(wood.reflectionMap, "sky.jpg");
    EXPECT_FLOAT_EQ(materials[1].transparency, 0.9f);
    EXPECT_FALSE(readMtl(bytesOf("newmtl X\nKd red\n"), materials, error));
    EXPECT_EQ(error, "line 2: bad Kd");
}

std::unique_ptr<Scene> converted(const ObjModel& model, const std::vector<MtlMaterial>& materials,
                                 const ObjConversionOptions& options = {}) {
    const ObjConversionResult result = convertObj(model, materials, options);
    SceneReadError error;
    auto scene = readScene(result.bytes.data(), result.bytes.size(), &error);
    EXPECT_NE(scene, nullptr) << error.problem;
    return scene;
}

TEST(ObjConversion, TheCubeStaysClosedAndFrontFacingOnceMirrored) {
    MtlMaterial wood;
    wood.name = "Wood";
    wood.colorMap = "wood.png";
    const auto scene = converted(readText(kCube), {wood});
    ASSERT_NE(scene, nullptr);
    ASSERT_EQ(scene->materials.size(), 2u);
    EXPECT_EQ(scene->materials[0]->layers[0].fileName, "wood.png");
    EXPECT_EQ(scene->materials[1]->name, "Paint");  // not in any library: defaults
    const SceneMesh& box = *dynamic_cast<SceneMesh*>(scene->findNode("Box"));
    ASSERT_EQ(box.faceGroups.size(), 2u);
    EXPECT_EQ(box.faceGroups[0].indices.size(), 12u);  // two quads as fans
    EXPECT_EQ(box.faceGroups[1].indices.size(), 24u);
    // Drawn with counter-clockwise culling, a front face runs clockwise: its
    // normal (p1 − p0) × (p2 − p1) points away from the centre.
    for (const FaceGroup& group : box.faceGroups)
        for (std::size_t i = 0; i < group.indices.size(); i += 3) {
            const D3DXVECTOR3& p0 = box.vertices[group.indices[i]].position;
            const D3DXVECTOR3& p1 = box.vertices[group.indices[i + 1]].position;
            const D3DXVECTOR3& p2 = box.vertices[group.indices[i + 2]].position;
            D3DXVECTOR3 e1, e2, n;
            D3DXVec3Cross(&n, D3DXVec3Subtract(&e1, &p1, &p0), D3DXVec3Subtract(&e2, &p2, &p1));
            const D3DXVECTOR3 middle{(p0.x + p1.x + p2.x) / 3, (p0.y + p1.y + p2.y) / 3,
                                     (p0.z + p1.z + p2.z) / 3};
            EXPECT_GT(D3DXVec3Dot(&n, &middle), 0) << "triangle " << i / 3;
            // Smooth normals for corners without one point outwards too.
            EXPECT_GT(D3DXVec3Dot(&box.vertices[group.indices[i]].normal, &p0), 0);
        }
}

TEST(ObjConversion, MirrorsZFlipsVAndScales) {
    const ObjModel model = readText(
        "v 1 2 3\nv 0 0 0\nv 1 0 0\nvt 0.25 0.25\nvn 0 0 1\n"
        "f 1/1/1 2/1/1 3/1/1\n");
    const auto scene = converted(model, {}, {2, false});
    ASSERT_NE(scene, nullptr);
    EXPECT_EQ(scene->nodes.size(), 1u);  // no camera asked for
    const SceneVertex& v = scene->meshes[0]->vertices[0];
    EXPECT_FLOAT_EQ(v.position.x, 2);
    EXPECT_FLOAT_EQ(v.position.z, -6);
    EXPECT_FLOAT_EQ(v.normal.z, -1);
    EXPECT_FLOAT_EQ(v.v, 0.75f);
    EXPECT_EQ(scene->meshes[0]->faceGroups[0].materialIndex, -1);
}

TEST(ObjConversion, TheAddedCameraLooksAtTheModelCentre) {
    const auto scene = converted(readText(kCube), {});
    ASSERT_NE(scene, nullptr);
    auto* camera = dynamic_cast<SceneCamera*>(scene->findNode("Camera"));
    ASSERT_NE(camera, nullptr);
    ASSERT_NE(camera->target, nullptr);
    EXPECT_EQ(camera->target->name, "Target");
    ASSERT_NE(scene->findNode("Light"), nullptr);
    scene->prepareTracks();
    scene->update(0);
    EXPECT_LT(camera->position.z, -1);  // in front of the mirrored model
    EXPECT_NEAR(camera->target->position.x, 0, 1e-5f);
}

TEST(ObjConversion, ObjectsBeyondSixteenBitIndicesBecomeSeveralMeshes) {
    std::string text;
    constexpr int kTriangles = 22000;  // 66000 distinct corners
    for (int i = 0; i < 3 * kTriangles; ++i) text += "v " + std::to_string(i) + " 0 0\n";
    text += "o Big\n";
    for (int i = 0; i < kTriangles; ++i)
        text += "f " + std::to_string(3 * i + 1) + " " + std::to_string(3 * i + 2) + " " +
                std::to_string(3 * i + 3) + "\n";
    const auto scene = converted(readText(text), {}, {1, false});
    ASSERT_NE(scene, nullptr);
    ASSERT_EQ(scene->meshes.size(), 2u);
    EXPECT_EQ(scene->meshes[0]->name, "Big");
    EXPECT_EQ(scene->meshes[1]->name, "Big#2");
    EXPECT_EQ(scene->meshes[0]->vertices.size(), 65535u);
    EXPECT_EQ(scene->meshes[1]->vertices.size(), 66000u - 65535u);
}

}  // namespace

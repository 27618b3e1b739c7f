// Packed meshes: vertices shared or split by smoothing group and texture
// coordinate, summed and normalized normals, faces grouped by material, and
// the packed meshes the reader refuses.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

#include "scene_test_support.h"

namespace {

using ::testing::HasSubstr;

// A face as the file stores it, given the corners it is drawn with.
Y3dTriangle stored(std::uint16_t a, std::uint16_t b, std::uint16_t c) {
    return {b, a, c};
}

// Two triangles over four vertices sharing the edge 1-2, bent along it:
// face 0 (0, 1, 2) lies in z = 0, face 1 (1, 3, 2) rises to v3 = (1, 1, 1).
Y3dPackedMesh bentQuad() {
    Y3dPackedMesh mesh;
    mesh.vertexCount = 4;
    mesh.frames = {{0, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 1}}},
                   {10, {{0, 0, 2}, {1, 0, 2}, {0, 1, 2}, {1, 1, 3}}}};
    mesh.faces = {stored(0, 1, 2), stored(1, 3, 2)};
    mesh.faceMaterials = {0, 0};
    mesh.smoothingGroups = {1, 1};
    return mesh;
}

std::unique_ptr<Scene> readPacked(const Y3dPackedMesh& packed, int materials = 2,
                                  SceneReadError* error = nullptr) {
    Y3dWriter out;
    beginContainer(out);
    for (int i = 0; i < materials; ++i) {
        beginMaterial(out, {});
        out.end();
    }
    beginPackedMesh(out, packed);
    return readBytes(out.finish(), error);
}

void expectVector(const D3DXVECTOR3& v, float x, float y, float z) {
    EXPECT_NEAR(v.x, x, 1e-5f);
    EXPECT_NEAR(v.y, y, 1e-5f);
    EXPECT_NEAR(v.z, z, 1e-5f);
}

const float kThird = 1 / std::sqrt(3.0f);

TEST(PackedMesh, FacesInOneSmoothingGroupWithEqualCoordinatesShareVerticesAndSumNormals) {
    const auto scene = readPacked(bentQuad());
    ASSERT_NE(scene, nullptr);
    const SceneMesh& mesh = *scene->meshes[0];
    EXPECT_TRUE(mesh.isMorph);
    ASSERT_EQ(mesh.vertices.size(), 4u);
    // The vertex array keeps frame 0's sums; the frames hold unit normals.
    expectVector(mesh.vertices[0].normal, 0, 0, 1);
    expectVector(mesh.vertices[1].normal, -kThird, -kThird, 1 + kThird);
    expectVector(mesh.vertices[3].normal, -kThird, -kThird, kThird);
    const float length = std::sqrt(2 * kThird * kThird + (1 + kThird) * (1 + kThird));
    expectVector(mesh.morphFrames[0].normals[1], -kThird / length, -kThird / length,
                 (1 + kThird) / length);
    ASSERT_EQ(mesh.faceGroups.size(), 1u);
    EXPECT_EQ(mesh.faceGroups[0].indices, (std::vector<std::uint16_t>{0, 1, 2, 1, 3, 2}));
    ASSERT_EQ(mesh.morphFrames.size(), 2u);
    EXPECT_EQ(mesh.morphFrames[1].time, 10.0f);
    expectVector(mesh.morphFrames[1].positions[3], 1, 1, 3);
    for (const SceneVertex& v : mesh.vertices) EXPECT_EQ(v.u + v.v, 0);  // no coordinates
}

TEST(PackedMesh, ADifferentSmoothingGroupSplitsEverySharedVertex) {
    Y3dPackedMesh packed = bentQuad();
    packed.smoothingGroups = {1, 2};
    const auto scene = readPacked(packed);
    ASSERT_NE(scene, nullptr);
    const SceneMesh& mesh = *scene->meshes[0];
    ASSERT_EQ(mesh.vertices.size(), 6u);
    EXPECT_EQ(mesh.faceGroups[0].indices, (std::vector<std::uint16_t>{0, 1, 2, 4, 3, 5}));
    // Each copy has its own face's normal and the original's position, in every frame.
    expectVector(mesh.vertices[1].normal, 0, 0, 1);
    expectVector(mesh.vertices[4].normal, -kThird, -kThird, kThird);
    expectVector(mesh.vertices[5].position, 0, 1, 0);
    expectVector(mesh.morphFrames[1].positions[4], 1, 0, 2);
    expectVector(mesh.morphFrames[1].normals[4], -kThird, -kThird, kThird);
}

TEST(PackedMesh, ADifferentTextureCoordinateSplitsOnlyThatVertex) {
    Y3dPackedMesh packed = bentQuad();
    packed.textureCoordinates = {{0, 0}, {1, 0}, {0, 1}, {0.5f, 0.5f}};
    // Face 1's corner at vertex 1 uses coordinate 3 instead of 1.
    packed.textureFaces = {stored(0, 1, 2), stored(3, 1, 2)};
    const auto scene = readPacked(packed);
    ASSERT_NE(scene, nullptr);
    const SceneMesh& mesh = *scene->meshes[0];
    ASSERT_EQ(mesh.vertices.size(), 5u);
    EXPECT_EQ(mesh.faceGroups[0].indices, (std::vector<std::uint16_t>{0, 1, 2, 4, 3, 2}));
    EXPECT_FLOAT_EQ(mesh.vertices[4].u, 0.5f);
    EXPECT_FLOAT_EQ(mesh.vertices[1].u, 1);
    EXPECT_FLOAT_EQ(mesh.vertices[3].u, 1);  // claimed with face 1's coordinate 1
    expectVector(mesh.vertices[2].normal, -kThird, -kThird, 1 + kThird);  // still shared
    EXPECT_EQ(mesh.textureCoordinates.size(), 5u);
}

TEST(PackedMesh, FacesAreGroupedByAscendingMaterial) {
    Y3dPackedMesh packed = bentQuad();
    packed.faces.push_back(stored(0, 3, 2));
    packed.faceMaterials = {1, 0, 1};
    packed.smoothingGroups = {1, 1, 1};
    const auto scene = readPacked(packed);
    ASSERT_NE(scene, nullptr);
    const auto& groups = scene->meshes[0]->faceGroups;
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0].materialIndex, 0);
    EXPECT_EQ(groups[0].indices, (std::vector<std::uint16_t>{1, 3, 2}));
    EXPECT_EQ(groups[1].materialIndex, 1);
    EXPECT_EQ(groups[1].indices, (std::vector<std::uint16_t>{0, 1, 2, 0, 3, 2}));
}

TEST(PackedMesh, RefusedWhenItCannotMakeADrawableMesh) {
    SceneReadError error;
    Y3dPackedMesh noFaces = bentQuad();
    noFaces.faces.clear();
    noFaces.faceMaterials.clear();
    noFaces.smoothingGroups.clear();
    EXPECT_EQ(readPacked(noFaces, 2, &error), nullptr);
    EXPECT_EQ(error.chunkId, 0x3007);
    EXPECT_THAT(error.problem, HasSubstr("without faces"));

    Y3dPackedMesh noFrames = bentQuad();
    noFrames.frames.clear();
    EXPECT_EQ(readPacked(noFrames, 2, &error), nullptr);
    EXPECT_THAT(error.problem, HasSubstr("without frames"));

    Y3dPackedMesh badCorner = bentQuad();
    badCorner.faces[1] = stored(1, 4, 2);
    EXPECT_EQ(readPacked(badCorner, 2, &error), nullptr);
    EXPECT_THAT(error.problem, HasSubstr("beyond its 4 vertices"));

    Y3dPackedMesh badCoordinate = bentQuad();
    badCoordinate.textureCoordinates = {{0, 0}};
    badCoordinate.textureFaces = {stored(0, 0, 0), stored(0, 1, 0)};
    EXPECT_EQ(readPacked(badCoordinate, 2, &error), nullptr);
    EXPECT_THAT(error.problem, HasSubstr("texture face"));

    EXPECT_EQ(readPacked(bentQuad(), 0, &error), nullptr);
    EXPECT_THAT(error.problem, HasSubstr("material 0 of 0"));
}

TEST(PackedMesh, RefusedBeyondSixteenBitIndices) {
    SceneReadError error;
    Y3dPackedMesh wide;
    wide.vertexCount = 65535;
    wide.frames = {{0, std::vector<D3DXVECTOR3>(65535, D3DXVECTOR3{0, 0, 0})}};
    wide.faces = {stored(0, 1, 2), stored(0, 2, 1)};
    wide.faceMaterials = {0, 0};
    wide.smoothingGroups = {1, 2};  // the second face needs copies: vertex 65535 and on
    EXPECT_EQ(readPacked(wide, 1, &error), nullptr);
    EXPECT_THAT(error.problem, HasSubstr("more than 65535 vertices"));
    wide.smoothingGroups = {1, 1};
    EXPECT_NE(readPacked(wide, 1), nullptr);  // 65535 vertices exactly still fit

    wide.vertexCount = 65536;
    wide.frames[0].positions.push_back({0, 0, 0});
    EXPECT_EQ(readPacked(wide, 1, &error), nullptr);
    EXPECT_THAT(error.problem, HasSubstr("65536 vertices"));
}

TEST(PackedMesh, RefusedWhenFramesTimesVerticesWouldClaimGigabytes) {
    Y3dPackedMesh tall;
    tall.vertexCount = 1;
    tall.frames.assign(3000, {0, {{0, 0, 0}}});
    tall.faces.assign(1000, stored(0, 0, 0));
    tall.faceMaterials.assign(1000, 0);
    tall.smoothingGroups.assign(1000, 0);
    SceneReadError error;
    EXPECT_EQ(readPacked(tall, 1, &error), nullptr);
    EXPECT_THAT(error.problem, HasSubstr("too large"));
}

TEST(PackedMesh, TakesNoPlainVerticesAfterwards) {
    Y3dWriter out;
    beginContainer(out);
    beginMaterial(out, {});
    out.end();
    beginPackedMesh(out, bentQuad());
    writeMeshVertices(out, verticesAt({{0, 0, 0}}));
    EXPECT_THAT(rejection(out.finish()).problem, HasSubstr("vertices for a packed mesh"));
}

}  // namespace

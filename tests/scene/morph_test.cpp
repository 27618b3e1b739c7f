// Morph meshes in motion: the frames around the scene time blended into the
// vertex buffer, clamped at both ends, once per distinct time, and shared
// by instances.
#include <gtest/gtest.h>

#include <cmath>

#include "scene_test_support.h"

namespace {

// One triangle moving along x: vertex 0 at 0 at tick 0, 10 at tick 10, 30
// at tick 20; its normal is −z in frames 0 and 1 and +x in frame 2.
std::unique_ptr<Scene> morphScene() {
    Y3dPackedMesh packed;
    packed.vertexCount = 3;
    packed.frames = {{0, {{0, 0, 0}, {0, 1, 0}, {1, 0, 0}}},
                     {10, {{10, 0, 0}, {10, 1, 0}, {11, 0, 0}}},
                     {20, {{30, 0, 0}, {30, 1, 0}, {30, 0, 1}}}};
    packed.faces = {{1, 0, 2}};  // drawn as (0, 1, 2)
    packed.faceMaterials = {0};
    packed.smoothingGroups = {0};
    packed.textureCoordinates = {{0.25f, 0.75f}};
    packed.textureFaces = {{0, 0, 0}};
    Y3dWriter out;
    beginContainer(out);
    beginMaterial(out, {});
    out.end();
    beginPackedMesh(out, packed);
    writeNodeHeader(out, nodeHeader("blob", 1));
    out.end();
    beginMeshInstance(out, 0);
    writeNodeHeader(out, nodeHeader("twin", 2));
    auto scene = readBytes(out.finish());
    if (scene) scene->createMeshBuffers();
    return scene;
}

class Morph : public ::testing::Test {
  protected:
    void SetUp() override {
        scene = morphScene();
        ASSERT_NE(scene, nullptr);
        mesh = scene->meshes[0];
        ASSERT_TRUE(mesh->ready);
        device.log.clear();
    }
    std::vector<SceneVertex> shown() { return bufferVertices(mesh->vertexBuffer); }

    CurrentRecordingDevice device;
    std::unique_ptr<Scene> scene;
    SceneMesh* mesh = nullptr;
};

TEST_F(Morph, BeforeTheFirstFrameShowsFrameZeroAndAfterTheLastTheLast) {
    mesh->updateMorph(-50);
    EXPECT_FLOAT_EQ(shown()[0].position.x, 0);
    EXPECT_FLOAT_EQ(shown()[0].normal.z, -1);  // normalized in the frame
    mesh->updateMorph(1000);
    EXPECT_FLOAT_EQ(shown()[0].position.x, 30);
    EXPECT_FLOAT_EQ(shown()[2].position.z, 1);
}

TEST_F(Morph, AtAnInteriorFrameThatFrameAndBetweenFramesABlend) {
    mesh->updateMorph(10);
    EXPECT_FLOAT_EQ(shown()[0].position.x, 10);
    mesh->updateMorph(15);
    const std::vector<SceneVertex> v = shown();
    EXPECT_FLOAT_EQ(v[0].position.x, 20);
    EXPECT_FLOAT_EQ(v[2].position.x, 20.5f);
    EXPECT_FLOAT_EQ(v[2].position.z, 0.5f);
    // Normals blend linearly, not renormalized: halfway from −z to +x.
    EXPECT_FLOAT_EQ(v[0].normal.x, 0.5f);
    EXPECT_FLOAT_EQ(v[0].normal.z, -0.5f);
    EXPECT_FLOAT_EQ(v[0].u, 0.25f);
    EXPECT_FLOAT_EQ(v[0].v, 0.75f);
}

TEST_F(Morph, TheBufferIsFilledOncePerDistinctTime) {
    mesh->updateMorph(4);
    mesh->updateMorph(4);
    EXPECT_EQ(device.log.count("Lock"), 1u);
    EXPECT_EQ(device.log.first("Lock")->args, (std::vector<double>{0, 96, 0}));
    EXPECT_EQ(device.log.count("Unlock"), 1u);
    mesh->updateMorph(5);
    EXPECT_EQ(device.log.count("Lock"), 2u);
    // An instance draws its source's geometry: at the same time, no new fill.
    SceneMesh& geometry = scene->meshes[1]->geometry(*scene);
    EXPECT_EQ(&geometry, mesh);
    geometry.updateMorph(5);
    EXPECT_EQ(device.log.count("Lock"), 2u);
}

TEST_F(Morph, PosesMatchWhatTheBufferReceives) {
    std::vector<SceneVertex> pose(mesh->vertices.size());
    mesh->writePose(mesh->poseAt(12.5f), pose.data());
    mesh->updateMorph(12.5f);
    const std::vector<SceneVertex> v = shown();
    for (std::size_t i = 0; i < pose.size(); ++i)
        EXPECT_FLOAT_EQ(pose[i].position.x, v[i].position.x);
    EXPECT_EQ(mesh->poseAt(std::nanf("")).from, &mesh->morphFrames[0]);
}

}  // namespace

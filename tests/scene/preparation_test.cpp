// Scene::prepare: buffers through the registry in the managed pool, bounds,
// instances, failed buffers, sorted tracks and material textures.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/current_device.h"
#include "scene/buffer_registry.h"
#include "scene_test_support.h"

namespace {

using ::testing::Return;
using ::testing::StrictMock;

class MockTextures : public SceneTextureSource {
  public:
    MOCK_METHOD(int, loadTexture, (const std::string& name), (override));
    MOCK_METHOD(int, loadAlphaTexture, (const std::string& name, const std::string& alphaName),
                (override));
};

// Release calls on buffers (the device's own reference counting left out).
std::vector<RecordedCall> bufferReleases(const CallLog& log) {
    std::vector<RecordedCall> released = log.named("Release");
    std::erase_if(released, [](const RecordedCall& call) { return call.object == "Device"; });
    return released;
}

std::vector<std::uint8_t> triangleFile() {
    Y3dWriter out;
    beginContainer(out);
    beginMaterial(out, {});
    out.end();
    writeMesh(out, nodeHeader("tri", 1), {{0, 0, 0}, {3, 0, 0}, {0, 6, 0}}, 0, {{0, 1, 2}});
    beginMeshInstance(out, 0);
    writeNodeHeader(out, nodeHeader("copy", 2));
    return out.finish();
}

TEST(Preparation, MeshesGetWriteOnlyManagedBuffersHoldingTheirGeometry) {
    CurrentRecordingDevice device;
    auto scene = readBytes(triangleFile());
    ASSERT_NE(scene, nullptr);
    scene->createMeshBuffers();
    const SceneMesh& mesh = *scene->meshes[0];
    EXPECT_TRUE(mesh.ready);
    EXPECT_EQ(device.log.first("CreateVertexBuffer")->args,
              (std::vector<double>{96, D3DUSAGE_WRITEONLY, 0x112, D3DPOOL_MANAGED}));
    EXPECT_EQ(device.log.first("CreateIndexBuffer")->args,
              (std::vector<double>{6, D3DUSAGE_WRITEONLY, D3DFMT_INDEX16, D3DPOOL_MANAGED}));
    EXPECT_EQ(device.log.first("Lock")->args, (std::vector<double>{0, 96, 0}));
    const std::vector<SceneVertex> stored = bufferVertices(mesh.vertexBuffer);
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_FLOAT_EQ(stored[2].position.y, 6);
    EXPECT_EQ(bufferIndices(mesh.faceGroups[0].indexBuffer), (std::vector<std::uint16_t>{1, 0, 2}));
    EXPECT_TRUE(bufferRegistry().holds(mesh.vertexBuffer));
    EXPECT_TRUE(bufferRegistry().holds(mesh.faceGroups[0].indexBuffer));
    // The instance gets bounds from its source but no buffers of its own.
    const SceneMesh& copy = *scene->meshes[1];
    EXPECT_TRUE(copy.ready);
    EXPECT_EQ(copy.vertexBuffer, nullptr);
    EXPECT_EQ(device.log.count("CreateVertexBuffer"), 1u);
    EXPECT_FLOAT_EQ(copy.sphereCentre.x, 1);
}

TEST(Preparation, RebuildingReleasesTheOldBuffersAndReleaseAllTheRest) {
    CurrentRecordingDevice device;
    auto scene = readBytes(triangleFile());
    scene->createMeshBuffers();
    scene->createMeshBuffers();
    EXPECT_EQ(bufferRegistry().vertexBufferCount(), 1u);
    EXPECT_EQ(bufferRegistry().indexBufferCount(), 1u);
    const std::vector<RecordedCall> released = bufferReleases(device.log);
    ASSERT_EQ(released.size(), 2u);
    EXPECT_EQ(released[0].object, "VertexBuffer");
    EXPECT_EQ(released[1].object, "IndexBuffer");
    EXPECT_EQ(released[0].result, 0);  // the last reference
    EXPECT_EQ(bufferVertices(scene->meshes[0]->vertexBuffer).size(), 3u);
    bufferRegistry().releaseAll();
    EXPECT_EQ(bufferRegistry().vertexBufferCount(), 0u);
    EXPECT_EQ(bufferReleases(device.log).size(), 4u);
}

TEST(Preparation, AMeshWhoseBufferIsRefusedStaysNotReady) {
    CurrentRecordingDevice device;
    auto scene = readBytes(triangleFile());
    Y3dWriter out;
    writeMesh(out, nodeHeader("empty", 1), {}, kY3dNoMaterial, {});
    auto empty = readBytes(out.finish());
    ASSERT_NE(empty, nullptr);
    empty->createMeshBuffers();  // no vertices: the device refuses a zero-length buffer
    EXPECT_FALSE(empty->meshes[0]->ready);
    EXPECT_EQ(empty->meshes[0]->vertexBuffer, nullptr);
    EXPECT_FLOAT_EQ(empty->meshes[0]->farCorner.x, 0);

    currentDevice = nullptr;  // no device at all
    scene->createMeshBuffers();
    EXPECT_FALSE(scene->meshes[0]->ready);
}

TEST(Preparation, BoundsOfPlainMeshesCentreOnTheMeanOfTheVertices) {
    Y3dWriter out;
    writeMesh(out, nodeHeader("m", 1), {{0, 0, 0}, {4, 0, 0}, {0, 2, 0}, {0, 0, 8}}, kY3dNoMaterial,
              {});
    auto scene = readBytes(out.finish());
    SceneMesh& mesh = *scene->meshes[0];
    mesh.computeBounds(*scene);
    EXPECT_FLOAT_EQ(mesh.sphereCentre.x, 1);
    EXPECT_FLOAT_EQ(mesh.sphereCentre.y, 0.5f);
    EXPECT_FLOAT_EQ(mesh.sphereCentre.z, 2);
    EXPECT_FLOAT_EQ(mesh.boxCorners[0].x + mesh.boxCorners[0].y + mesh.boxCorners[0].z, 0);
    EXPECT_FLOAT_EQ(mesh.boxCorners[7].x, 4);
    EXPECT_FLOAT_EQ(mesh.boxCorners[7].z, 8);
    EXPECT_FLOAT_EQ(mesh.boxCorners[5].y, 0);  // x and z from the maximum, y from the minimum
    EXPECT_FLOAT_EQ(mesh.farCorner.z, 8);      // the max corner is farther from the centre
}

TEST(Preparation, BoundsOfMorphMeshesSpanEveryFrameAroundTheBoxMiddle) {
    Y3dPackedMesh packed;
    packed.vertexCount = 3;
    packed.frames = {{0, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}},
                     {5, {{-4, 0, 0}, {1, 0, 0}, {0, 1, 3}}}};
    packed.faces = {{1, 0, 2}};
    packed.faceMaterials = {0};
    packed.smoothingGroups = {0};
    Y3dWriter out;
    beginContainer(out);
    beginMaterial(out, {});
    out.end();
    beginPackedMesh(out, packed);
    auto scene = readBytes(out.finish());
    ASSERT_NE(scene, nullptr);
    SceneMesh& mesh = *scene->meshes[0];
    mesh.computeBounds(*scene);
    EXPECT_FLOAT_EQ(mesh.sphereCentre.x, -1.5f);
    EXPECT_FLOAT_EQ(mesh.sphereCentre.y, 0.5f);
    EXPECT_FLOAT_EQ(mesh.sphereCentre.z, 1.5f);
    EXPECT_FLOAT_EQ(mesh.farCorner.x, -4);  // equally far: the min corner
}

TEST(Preparation, TracksOfNodesAreSortedButCameraTracksAndTheRootAreNot) {
    Y3dWriter out;
    beginCamera(out, {});
    writeNodeHeader(out, nodeHeader("cam", 1));
    writePositionTrack(out, std::vector<Y3dVectorKey>{{20, {2, 0, 0}}, {10, {1, 0, 0}}});
    writeScaleTrack(out, std::vector<Y3dVectorKey>{{5, {1, 1, 1}}, {1, {2, 2, 2}}});
    writeRollTrack(out, std::vector<Y3dScalarKey>{{9, 0}, {3, 0}});
    auto scene = readBytes(out.finish());
    scene->root.positionTrack.addKey({9, {0, 0, 0}});
    scene->root.positionTrack.addKey({1, {0, 0, 0}});
    scene->prepareTracks();
    const SceneCamera& camera = *scene->cameras[0];
    EXPECT_EQ(camera.positionTrack.keys()[0].time, 10);
    EXPECT_EQ(camera.scaleTrack.keys()[0].time, 1);
    EXPECT_EQ(camera.rollTrack.keys()[0].time, 9);
    EXPECT_EQ(scene->root.positionTrack.keys()[0].time, 9);
}

// Materials: 0 colour and opacity, 1 opacity only, 2 reflection only,
// 3 colour only (fails to load), 4 colour, reflection and the unused layer 3.
std::vector<std::uint8_t> materialFile() {
    Y3dWriter out;
    beginContainer(out);
    const std::vector<std::vector<std::pair<std::uint16_t, const char*>>> maps = {
        {{0, "wood.png"}, {1, "mask.png"}},
        {{1, "leaf.png"}},
        {{2, "sky.jpg"}},
        {{0, "missing.png"}},
        {{0, "metal.png"}, {2, "sky.jpg"}, {3, "unused.png"}},
    };
    for (const auto& layers : maps) {
        beginMaterial(out, {});
        for (const auto& [layer, name] : layers) writeMaterialMap(out, layer, name);
        out.end();
    }
    return out.finish();
}

TEST(Preparation, MaterialTexturesAreBoundThroughTheTextureSource) {
    auto scene = readBytes(materialFile());
    ASSERT_NE(scene, nullptr);
    StrictMock<MockTextures> textures;
    {
        ::testing::InSequence order;
        EXPECT_CALL(textures, loadAlphaTexture("wood.png", "mask.png")).WillOnce(Return(0));
        EXPECT_CALL(textures, loadAlphaTexture("leaf.png", "leaf.png")).WillOnce(Return(1));
        EXPECT_CALL(textures, loadTexture("sky.jpg")).WillOnce(Return(2));
        EXPECT_CALL(textures, loadTexture("missing.png")).WillOnce(Return(-1));
        EXPECT_CALL(textures, loadTexture("metal.png")).WillOnce(Return(3));
        EXPECT_CALL(textures, loadTexture("sky.jpg")).WillOnce(Return(2));
    }
    scene->bindMaterialTextures(textures);
    const auto& m = scene->materials;
    EXPECT_EQ(m[0]->layers[0].textureIndex, 0);
    EXPECT_EQ(m[0]->layers[1].textureIndex, -1);  // the opacity layer never gets one
    EXPECT_TRUE(m[0]->hasAlphaTexture);
    EXPECT_EQ(m[1]->layers[0].textureIndex, 1);  // loaded, though layer 0 is not present
    EXPECT_FALSE(m[1]->layers[0].present);
    EXPECT_TRUE(m[1]->hasAlphaTexture);
    EXPECT_TRUE(m[1]->isTransparent());
    EXPECT_EQ(m[2]->layers[0].textureIndex, -1);
    EXPECT_EQ(m[2]->layers[2].textureIndex, 2);
    EXPECT_FALSE(m[2]->hasAlphaTexture);
    EXPECT_EQ(m[3]->layers[0].textureIndex, -1);
    EXPECT_EQ(m[4]->layers[3].textureIndex, -1);
    EXPECT_FALSE(m[4]->isTransparent());
}

}  // namespace

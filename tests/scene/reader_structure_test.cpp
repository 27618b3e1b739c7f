// How the reader walks the chunk tree and what each chunk puts into the
// scene: current objects across siblings, skipped ids, bytes after the first
// chunk, swapped corners, headers, materials, lights, cameras and timing.
#include <gtest/gtest.h>

#include "scene_test_support.h"

namespace {

TEST(ReaderStructure, ChunksAfterAnObjectApplyToItAsSiblingsAsWellAsChildren) {
    Y3dWriter out;
    beginContainer(out);
    beginCamera(out, {0, 0.8f, 50});
    out.end();  // the header and tracks follow as siblings of the camera
    writeNodeHeader(out, nodeHeader("cam", 7));
    writePositionTrack(out, std::vector<Y3dVectorKey>{{0, {1, 2, 3}}});
    writeFieldOfViewTrack(out, std::vector<Y3dScalarKey>{{0, 0.5f}, {10, 0.6f}});
    beginDummy(out);
    writeNodeHeader(out, nodeHeader("child header", 8));  // a child this time
    out.end();
    const auto scene = readBytes(out.finish());
    ASSERT_NE(scene, nullptr);
    ASSERT_EQ(scene->cameras.size(), 1u);
    const SceneCamera& camera = *scene->cameras[0];
    EXPECT_EQ(camera.name, "cam");
    EXPECT_EQ(camera.id, 7);
    EXPECT_EQ(camera.positionTrack.keyCount(), 1u);
    EXPECT_EQ(camera.fieldOfViewTrack.keyCount(), 2u);
    EXPECT_FLOAT_EQ(camera.fieldOfView, 0.8f);
    EXPECT_FLOAT_EQ(camera.targetDistance, 50);
    EXPECT_EQ(scene->dummies[0]->name, "child header");
}

TEST(ReaderStructure, UnknownChunksAreSkippedWithTheirChildrenUnexamined) {
    Y3dWriter out;
    beginContainer(out);
    out.begin(0x7777);
    beginDummy(out);  // inside an unknown chunk: never read
    out.end();
    out.bytes(std::vector<std::uint8_t>{1, 2, 3});  // not even a valid chunk
    out.end();
    beginDummy(out);
    out.end();
    const auto scene = readBytes(out.finish());
    ASSERT_NE(scene, nullptr);
    EXPECT_EQ(scene->dummies.size(), 1u);
}

TEST(ReaderStructure, OnlyTheFirstChunkIsReadAndKnownPayloadsCarryChildren) {
    Y3dWriter out;
    out.begin(Y3dChunk::SkippedField);
    out.u32(0xdeadbeef);  // the field, ignored
    beginDummy(out);      // a child after the payload
    out.end();
    out.end();
    beginDummy(out);  // after the end of the first chunk: ignored
    out.end();
    const auto scene = readBytes(out.finish());
    ASSERT_NE(scene, nullptr);
    EXPECT_EQ(scene->dummies.size(), 1u);
    EXPECT_EQ(scene->nodes.size(), 1u);
}

TEST(ReaderStructure, AFileNestedAHundredThousandLevelsDeepIsReadWithoutRecursion) {
    Y3dWriter out;
    for (int level = 0; level < 100000; ++level) beginContainer(out);
    beginDummy(out);
    const auto scene = readBytes(out.finish());
    ASSERT_NE(scene, nullptr);
    EXPECT_EQ(scene->dummies.size(), 1u);
}

TEST(ReaderStructure, TrianglesAreStoredWithTheirFirstTwoCornersSwapped) {
    Y3dWriter out;
    writeMesh(out, nodeHeader("m", 1), {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, kY3dNoMaterial,
              {{0, 1, 2}});
    const auto scene = readBytes(out.finish());
    ASSERT_NE(scene, nullptr);
    const SceneMesh& mesh = *scene->meshes[0];
    ASSERT_EQ(mesh.faceGroups.size(), 1u);
    EXPECT_EQ(mesh.faceGroups[0].indices, (std::vector<std::uint16_t>{1, 0, 2}));
    EXPECT_EQ(mesh.faceGroups[0].materialIndex, -1);
    EXPECT_EQ(mesh.vertices.size(), 3u);
    EXPECT_FLOAT_EQ(mesh.vertices[1].position.x, 1);
    EXPECT_FLOAT_EQ(mesh.vertices[2].v, 1);
    EXPECT_FALSE(mesh.isMorph);
}

TEST(ReaderStructure, NodeHeaderFillsThreeColumnsAndALaterHeaderOverwrites) {
    Y3dWriter out;
    beginDummy(out);
    writeNodeHeader(out, nodeHeader("first", 1));
    Y3dNodeHeader second = nodeHeader("second", 2, 5, 6);
    for (int i = 0; i < 12; ++i) second.matrix[i] = float(i + 1);
    writeNodeHeader(out, second);
    out.end();
    const auto scene = readBytes(out.finish());
    ASSERT_NE(scene, nullptr);
    const SceneNode& node = *scene->nodes[0];
    EXPECT_EQ(node.name, "second");
    EXPECT_EQ(node.id, 2);
    EXPECT_EQ(node.parentId, 5);
    EXPECT_EQ(node.targetId, 6);
    EXPECT_FLOAT_EQ(node.world(0, 0), 1);
    EXPECT_FLOAT_EQ(node.world(1, 2), 6);
    EXPECT_FLOAT_EQ(node.world(3, 0), 10);
    for (int row = 0; row < 3; ++row) EXPECT_FLOAT_EQ(node.world(row, 3), 0);
    EXPECT_FLOAT_EQ(node.world(3, 3), 1);
}

TEST(ReaderStructure, MaterialsGetAlphaFromTransparencyAndTheirMaps) {
    Y3dWriter out;
    beginContainer(out);
    Y3dMaterial glass{"glass", {1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0.5f, 0.5f, 0.5f}, 0.3f, 0.25f, 5};
    beginMaterial(out, glass);
    writeMaterialMap(out, 0, "glass.png");
    out.end();
    writeMaterialMap(out, 2, "env.jpg");  // a sibling: still the current material
    const auto scene = readBytes(out.finish());
    ASSERT_NE(scene, nullptr);
    const SceneMaterial& material = *scene->materials[0];
    EXPECT_EQ(material.name, "glass");
    EXPECT_FLOAT_EQ(material.diffuse.r, 1);
    EXPECT_FLOAT_EQ(material.ambient.g, 1);
    EXPECT_FLOAT_EQ(material.specular.b, 1);
    EXPECT_FLOAT_EQ(material.emissive.r, 0.5f);
    for (const SceneColor* c :
         {&material.diffuse, &material.ambient, &material.specular, &material.emissive})
        EXPECT_FLOAT_EQ(c->a, 0.75f);
    EXPECT_FLOAT_EQ(material.shininess, 0.3f);
    EXPECT_EQ(material.flags, 5u);
    EXPECT_TRUE(material.layers[0].present);
    EXPECT_EQ(material.layers[0].fileName, "glass.png");
    EXPECT_FALSE(material.layers[1].present);
    EXPECT_EQ(material.layers[2].fileName, "env.jpg");
    EXPECT_EQ(material.layers[0].textureIndex, -1);
    EXPECT_TRUE(material.isTransparent());
}

TEST(ReaderStructure, LightAttenuationFollowsTheModeAndDistance) {
    Y3dWriter out;
    beginContainer(out);
    for (std::uint16_t mode : {0, 1, 2, 3}) {
        Y3dLight light{1, {1, 1, 1}, {0.1f, 0.1f, 0.1f}, {0.5f, 0.5f, 0.5f}, mode, 100, 20, 40, 7};
        beginLight(out, light);
        out.end();
    }
    const auto scene = readBytes(out.finish());
    ASSERT_NE(scene, nullptr);
    ASSERT_EQ(scene->lights.size(), 4u);
    const SceneLight& constant = *scene->lights[0];
    EXPECT_FLOAT_EQ(constant.constantAttenuation, 1);
    EXPECT_FLOAT_EQ(constant.linearAttenuation, 0);
    EXPECT_FLOAT_EQ(scene->lights[1]->linearAttenuation, 0.013f);
    EXPECT_FLOAT_EQ(scene->lights[1]->constantAttenuation, 0);
    EXPECT_FLOAT_EQ(scene->lights[2]->quadraticAttenuation, 0.013f);
    const SceneLight& none = *scene->lights[3];
    EXPECT_EQ(none.constantAttenuation + none.linearAttenuation + none.quadraticAttenuation, 0);
    EXPECT_EQ(constant.kind, 1u);
    EXPECT_FLOAT_EQ(constant.innerConeAngle, 20);
    EXPECT_FLOAT_EQ(constant.outerConeAngle, 40);
    EXPECT_FLOAT_EQ(constant.directionLength, 7);
    EXPECT_FLOAT_EQ(constant.range, 10000);
    EXPECT_FLOAT_EQ(constant.ambient.g, 0.1f);
    EXPECT_FLOAT_EQ(constant.ambient.a, 1);
}

TEST(ReaderStructure, TimingAndKeyTimesAreRead) {
    Y3dWriter out;
    beginContainer(out);
    writeSceneTiming(out, 3, 100, 160);
    beginDummy(out);
    writeRotationTrack(out, std::vector<Y3dRotationKey>{{-5, {0, 0, 0.6f, 0.8f}}});
    writeScaleTrack(out, std::vector<Y3dVectorKey>{{20, {2, 2, 2}}, {10, {1, 1, 1}}});
    const auto scene = readBytes(out.finish());
    ASSERT_NE(scene, nullptr);
    EXPECT_EQ(scene->timingFirst, 3);
    EXPECT_EQ(scene->length, 100);
    EXPECT_EQ(scene->ticksPerFrame, 160);
    const SceneNode& node = *scene->nodes[0];
    EXPECT_EQ(node.rotationTrack.keys()[0].time, -5.0f);
    EXPECT_FLOAT_EQ(node.rotationTrack.keys()[0].value.w, 0.8f);
    EXPECT_EQ(node.scaleTrack.keys()[0].time, 20.0f);  // file order until prepared
}

TEST(ReaderStructure, MeshIndicesCountEveryKindOfMeshChunkInOrder) {
    Y3dWriter out;
    beginContainer(out);
    beginMeshInstance(out, 2);  // names a mesh further on
    writeNodeHeader(out, nodeHeader("copy", 1));
    out.end();
    writeMesh(out, nodeHeader("plain", 2), {{0, 0, 0}}, kY3dNoMaterial, {});
    writeMesh(out, nodeHeader("later", 3), {{0, 0, 0}, {2, 0, 0}}, kY3dNoMaterial, {});
    const auto scene = readBytes(out.finish());
    ASSERT_NE(scene, nullptr);
    ASSERT_EQ(scene->meshes.size(), 3u);
    EXPECT_TRUE(scene->meshes[0]->isInstance);
    EXPECT_EQ(&scene->meshes[0]->geometry(*scene), scene->meshes[2]);
    EXPECT_EQ(scene->nodes.size(), 3u);
}

}  // namespace

// Linking by ids, lookup by name, and the world transforms an update
// composes down the hierarchy.
#include <gtest/gtest.h>

#include <cmath>

#include "d3dx/d3dx_math.h"
#include "scene_test_support.h"

namespace {

const std::vector<Y3dVectorKey> kUnitScale{{0, {1, 1, 1}}};

// A dummy with its header, one position key and a unit scale.
void writeDummy(Y3dWriter& out, const Y3dNodeHeader& header, D3DXVECTOR3 position) {
    beginDummy(out);
    writeNodeHeader(out, header);
    writePositionTrack(out, std::vector<Y3dVectorKey>{{0, position}});
    writeScaleTrack(out, kUnitScale);
    out.end();
}

std::unique_ptr<Scene> preparedScene(Y3dWriter& out) {
    auto scene = readBytes(out.finish());
    if (scene) scene->prepareTracks();
    return scene;
}

D3DXVECTOR3 transformed(const D3DXVECTOR3& point, const D3DXMATRIX& m) {
    D3DXVECTOR3 out;
    return *D3DXVec3TransformCoord(&out, &point, &m);
}

void expectVector(const D3DXVECTOR3& v, float x, float y, float z) {
    EXPECT_NEAR(v.x, x, 1e-5f);
    EXPECT_NEAR(v.y, y, 1e-5f);
    EXPECT_NEAR(v.z, z, 1e-5f);
}

TEST(Hierarchy, NodesLinkToTheFirstNodeWithTheirParentAndTargetIds) {
    Y3dWriter out;
    beginContainer(out);
    writeDummy(out, nodeHeader("a", 1), {0, 0, 0});
    writeDummy(out, nodeHeader("b", 2, 1, 3), {0, 0, 0});
    writeDummy(out, nodeHeader("c", 3, 2), {0, 0, 0});
    writeDummy(out, nodeHeader("a again", 1, -1, 99), {0, 0, 0});
    writeDummy(out, nodeHeader("d", 4, 1), {0, 0, 0});
    const auto scene = preparedScene(out);
    ASSERT_NE(scene, nullptr);
    const auto& n = scene->nodes;
    EXPECT_EQ(n[0]->parent, &scene->root);
    EXPECT_EQ(n[1]->parent, n[0].get());
    EXPECT_EQ(n[1]->target, n[2].get());
    EXPECT_EQ(n[4]->parent, n[0].get());  // the first node with id 1
    EXPECT_EQ(n[3]->target, nullptr);     // no node has id 99
    EXPECT_EQ(scene->root.children, (std::vector<SceneNode*>{n[0].get(), n[3].get()}));
    EXPECT_EQ(n[0]->children, (std::vector<SceneNode*>{n[1].get(), n[4].get()}));
}

TEST(Hierarchy, FindNodeTakesTheFirstExactNameOfAnyKind) {
    Y3dWriter out;
    beginContainer(out);
    writeMesh(out, nodeHeader("Thing", 1), {{0, 0, 0}}, kY3dNoMaterial, {});
    beginCamera(out, {});
    writeNodeHeader(out, nodeHeader("Thing", 2));
    out.end();
    const auto scene = readBytes(out.finish());
    ASSERT_NE(scene, nullptr);
    EXPECT_EQ(scene->findNode("Thing"), scene->meshes[0]);  // a mesh, not the camera
    EXPECT_EQ(scene->findNode("thing"), nullptr);
    EXPECT_EQ(scene->findNode("Thing "), nullptr);
    EXPECT_EQ(scene->findNode(""), nullptr);
}

TEST(Hierarchy, AChildPositionIsMovedIntoWorldSpaceByItsParent) {
    Y3dWriter out;
    beginContainer(out);
    writeDummy(out, nodeHeader("parent", 1), {10, 0, 0});
    writeDummy(out, nodeHeader("child", 2, 1), {1, 2, 3});
    const auto scene = preparedScene(out);
    ASSERT_NE(scene, nullptr);
    scene->update(0);
    expectVector(scene->nodes[1]->position, 11, 2, 3);
    expectVector(transformed({0, 0, 0}, scene->nodes[1]->world), 11, 2, 3);
}

TEST(Hierarchy, ScaleThenRotationThenTranslation) {
    Y3dWriter out;
    beginDummy(out);
    writeNodeHeader(out, nodeHeader("n", 1));
    const float half = std::sqrt(0.5f);
    writeRotationTrack(out, std::vector<Y3dRotationKey>{{0, {0, 0, half, half}}});  // 90° about z
    writeScaleTrack(out, std::vector<Y3dVectorKey>{{0, {2, 1, 1}}});
    writePositionTrack(out, std::vector<Y3dVectorKey>{{0, {5, 0, 0}}});
    const auto scene = preparedScene(out);
    ASSERT_NE(scene, nullptr);
    scene->update(0);
    expectVector(transformed({1, 0, 0}, scene->nodes[0]->world), 5, 2, 0);
}

TEST(Hierarchy, RelativeRotationKeysBecomeAbsoluteWhenPrepared) {
    Y3dWriter out;
    beginDummy(out);
    writeNodeHeader(out, nodeHeader("n", 1));
    const float half = std::sqrt(0.5f);
    // Stored out of time order; each turns 90° about z from the key before.
    writeRotationTrack(
        out, std::vector<Y3dRotationKey>{{10, {0, 0, half, half}}, {0, {0, 0, half, half}}});
    writeScaleTrack(out, kUnitScale);
    const auto scene = preparedScene(out);
    ASSERT_NE(scene, nullptr);
    scene->update(10);
    expectVector(transformed({1, 0, 0}, scene->nodes[0]->world), -1, 0, 0);  // 180°
    scene->update(5);
    expectVector(transformed({1, 0, 0}, scene->nodes[0]->world), -half, half, 0);  // 135°
}

TEST(Hierarchy, ANodeWithoutScaleKeysCollapsesToItsPosition) {
    Y3dWriter out;
    beginDummy(out);
    writeNodeHeader(out, nodeHeader("n", 1));
    writePositionTrack(out, std::vector<Y3dVectorKey>{{0, {1, 2, 3}}});
    const auto scene = preparedScene(out);
    ASSERT_NE(scene, nullptr);
    scene->update(0);
    expectVector(scene->nodes[0]->scale, 0, 0, 0);
    expectVector(transformed({7, 8, 9}, scene->nodes[0]->world), 1, 2, 3);
}

TEST(Hierarchy, OrphansAndTheirChildrenKeepTheirFileMatricesAndTheRootStaysIdentity) {
    Y3dWriter out;
    beginContainer(out);
    writeDummy(out, nodeHeader("orphan", 1, 42, -1, {4, 5, 6}), {1, 1, 1});
    writeDummy(out, nodeHeader("under orphan", 2, 1, -1, {7, 0, 0}), {1, 1, 1});
    const auto scene = preparedScene(out);
    ASSERT_NE(scene, nullptr);
    EXPECT_EQ(scene->nodes[0]->parent, nullptr);
    scene->update(3);
    expectVector(transformed({0, 0, 0}, scene->nodes[0]->world), 4, 5, 6);
    expectVector(transformed({0, 0, 0}, scene->nodes[1]->world), 7, 0, 0);
    D3DXMATRIX identity;
    D3DXMatrixIdentity(&identity);
    for (float t : {-100.0f, 0.0f, 1e6f}) {
        scene->update(t);
        for (int i = 0; i < 16; ++i)
            EXPECT_EQ(scene->root.world.m[i / 4][i % 4], identity.m[i / 4][i % 4]);
        expectVector(scene->root.scale, 1, 1, 1);
    }
}

TEST(Hierarchy, AHundredThousandLevelsDeepUpdatesWithoutRecursion) {
    constexpr int kDepth = 100000;
    Y3dWriter out;
    beginContainer(out);
    for (int id = 1; id <= kDepth; ++id)
        writeDummy(out, nodeHeader("n", id, id - 1 == 0 ? -1 : id - 1), {1, 0, 0});
    const auto scene = preparedScene(out);
    ASSERT_NE(scene, nullptr);
    scene->update(0);
    expectVector(scene->nodes.back()->position, float(kDepth), 0, 0);
}

TEST(Hierarchy, CamerasTakeRollAndFieldOfViewFromTracksInFileOrder) {
    Y3dWriter out;
    beginContainer(out);
    beginCamera(out, {0, 1.25f, 10});
    writeNodeHeader(out, nodeHeader("still", 1));
    out.end();
    beginCamera(out, {0, 1.25f, 10});
    writeNodeHeader(out, nodeHeader("keyed", 2));
    writeFieldOfViewTrack(out, std::vector<Y3dScalarKey>{{10, 1.0f}, {0, 0.0f}});  // not sorted
    writeRollTrack(out, std::vector<Y3dScalarKey>{{0, 0.0f}, {10, 0.5f}});
    const auto scene = preparedScene(out);
    ASSERT_NE(scene, nullptr);
    scene->update(5);
    EXPECT_FLOAT_EQ(scene->cameras[0]->fieldOfView, 1.25f);
    EXPECT_FLOAT_EQ(scene->cameras[0]->roll, 0);
    EXPECT_FLOAT_EQ(scene->cameras[1]->fieldOfView, 1.0f);  // first key in file order holds
    EXPECT_FLOAT_EQ(scene->cameras[1]->roll, 0.25f);
}

}  // namespace

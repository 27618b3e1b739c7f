// tessal-demo-scene: the scene it builds reads back with what the sample
// script and the drawing rely on, loops seamlessly, faces outwards, and is
// the scene committed in demo/data.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "d3dx/d3dx_math.h"
#include "demo_scene.h"
#include "key_paths.h"
#include "scene/scene_reader.h"
#include "scene_timing.h"
#include "vector_math.h"

namespace {

const std::filesystem::path kDemoData = std::filesystem::path(TESSAL_SOURCE_DIR) / "demo/data";

std::unique_ptr<Scene> demoScene() {
    const DemoSceneFile file = buildDemoScene();
    SceneReadError error;
    std::unique_ptr<Scene> scene = readScene(file.bytes.data(), file.bytes.size(), &error);
    EXPECT_NE(scene, nullptr) << error.problem;
    if (scene) scene->prepareTracks();
    return scene;
}

TEST(DemoScene, HoldsWhatTheScriptAndDrawingUse) {
    const auto scene = demoScene();
    ASSERT_NE(scene, nullptr);
    EXPECT_EQ(scene->length * scene->ticksPerFrame, kLoopTicks);
    for (const char* name : {"Orbit", "Flyby"}) {
        const SceneNode* camera = scene->findNode(name);
        ASSERT_NE(camera, nullptr) << name;
        EXPECT_NE(dynamic_cast<const SceneCamera*>(camera), nullptr) << name;
        EXPECT_NE(camera->target, nullptr) << name;
    }
    std::set<std::uint32_t> lightKinds;
    for (const SceneLight* light : scene->lights) lightKinds.insert(light->kind);
    EXPECT_EQ(lightKinds, (std::set<std::uint32_t>{0, 1, 2}));

    bool colourMap = false, reflection = false, seeThrough = false, additive = false;
    for (const auto& material : scene->materials) {
        colourMap |= material->layers[SceneMaterial::kColorMap].present;
        reflection |= material->layers[SceneMaterial::kReflectionMap].present;
        seeThrough |= material->transparency >= 0.4f && material->transparency <= 0.6f;
        additive |= (material->flags & SceneMaterial::kAdditive) != 0;
        for (const MaterialLayer& layer : material->layers)
            if (layer.present) {
                EXPECT_TRUE(std::filesystem::exists(kDemoData / layer.fileName)) << layer.fileName;
            }
    }
    EXPECT_TRUE(colourMap && reflection && seeThrough && additive);

    bool instance = false, morph = false;
    for (const SceneMesh* mesh : scene->meshes) {
        instance |= mesh->isInstance;
        morph |= mesh->isMorph;
        if (!mesh->isInstance) {
            EXPECT_FALSE(mesh->faceGroups.empty()) << mesh->name;
        }
    }
    EXPECT_TRUE(instance && morph);
}

// Every node is where it started when the loop wraps, so the scene plays
// on without a jump.
TEST(DemoScene, EndsTheLoopWhereItBegan) {
    const auto scene = demoScene();
    ASSERT_NE(scene, nullptr);
    scene->update(0);
    std::vector<D3DXMATRIX> start;
    for (const auto& node : scene->nodes) start.push_back(node->world);
    scene->update(float(kLoopTicks) - 0.5f);
    for (std::size_t i = 0; i < start.size(); ++i)
        for (UINT row = 0; row < 4; ++row)
            for (UINT column = 0; column < 4; ++column)
                EXPECT_NEAR(scene->nodes[i]->world(row, column), start[i](row, column), 5e-3f)
                    << scene->nodes[i]->name << " row " << row << " column " << column;
}

// Turns stored relative to their predecessors come back, once the player
// has accumulated them, as the absolute turns they were made from.
TEST(DemoScene, RelativeTurnsAccumulateToTheSampledTurns) {
    const TurnPath tumbling = [](float phase) {
        D3DXQUATERNION both;
        const D3DXQUATERNION tilt = axisAngle({1, 0, 0}, 0.5f + phase);
        const D3DXQUATERNION spin = axisAngle({0, 1, 1}, 7 * phase);
        D3DXQuaternionMultiply(&both, &tilt, &spin);
        return both;
    };
    RotationTrack track;
    for (const Y3dRotationKey& key : sampleTurns(16, tumbling))
        track.addKey({float(key.time), key.value});
    track.prepare();
    for (float phase : {0.0f, 0.25f, 0.5f, 1.0f}) {
        const D3DXQUATERNION want = tumbling(phase), got = track.evaluate(float(loopTick(phase)));
        EXPECT_NEAR(std::fabs(D3DXQuaternionDot(&want, &got)), 1.0f, 1e-4f) << phase;
    }
}

// Drawn with counter-clockwise culling, a triangle shows when its corners
// run clockwise from the viewer: its normal (b − a) × (c − b) must point the
// way its vertex normals do.
TEST(DemoScene, TrianglesFaceTheWayTheirNormalsPoint) {
    const auto scene = demoScene();
    ASSERT_NE(scene, nullptr);
    for (const SceneMesh* mesh : scene->meshes) {
        if (mesh->isInstance) continue;
        const auto& v = mesh->vertices;
        for (const FaceGroup& group : mesh->faceGroups)
            for (std::size_t i = 0; i + 2 < group.indices.size(); i += 3) {
                const SceneVertex &a = v[group.indices[i]], &b = v[group.indices[i + 1]],
                                  &c = v[group.indices[i + 2]];
                const D3DXVECTOR3 face = cross(b.position - a.position, c.position - b.position);
                ASSERT_GT(dot(face, a.normal + b.normal + c.normal), 0) << mesh->name << " " << i;
            }
    }
}

TEST(DemoScene, IsTheSceneInDemoData) {
    std::ifstream committed(kDemoData / "scene.y3d", std::ios::binary);
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(committed)), {});
    EXPECT_TRUE(bytes == buildDemoScene().bytes)
        << "demo/data/scene.y3d is not what tessal-demo-scene makes; run it again";
}

}  // namespace

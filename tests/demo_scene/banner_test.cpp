// The sample production's banner: the committed glTF is what
// tessal-demo-scene makes, the committed scene is what tessal-y3d makes of
// it, and the baked cloth follows the bones that wave it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <typeinfo>

#include "banner_gltf.h"
#include "banner_model.h"
#include "d3dx/d3dx_math.h"
#include "input_supplements.h"
#include "scene/scene_reader.h"
#include "scene_conversion.h"

namespace {

const std::filesystem::path kSource = TESSAL_SOURCE_DIR;
const std::filesystem::path kGltf = kSource / "demo/models/banner.gltf";
constexpr float kTolerance = 1e-4f;

std::string fileText(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

std::unique_ptr<Scene> readBack(const std::string& bytes) {
    SceneReadError error;
    auto scene =
        readScene(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), &error);
    EXPECT_NE(scene, nullptr) << error.problem;
    if (scene) scene->prepareTracks();
    return scene;
}

// The committed glTF converted as `tessal-y3d convert` does it.
std::unique_ptr<Scene> convertedBanner() {
    std::string error;
    std::vector<std::string> warnings;
    const std::unique_ptr<aiScene> input = readInputScene(kGltf.string(), 30, warnings, error);
    EXPECT_NE(input, nullptr) << error;
    if (input == nullptr) return nullptr;
    ConversionOptions options;
    options.inputFolder = kGltf.parent_path().string();
    const ConversionResult result = convertScene(*input, options, "banner");
    EXPECT_EQ(result.error, "");
    return readBack(std::string(result.bytes.begin(), result.bytes.end()));
}

void expectNear(const D3DXVECTOR3& got, const D3DXVECTOR3& want, const std::string& what) {
    EXPECT_NEAR(got.x, want.x, kTolerance) << what;
    EXPECT_NEAR(got.y, want.y, kTolerance) << what;
    EXPECT_NEAR(got.z, want.z, kTolerance) << what;
}

float gap(const D3DXVECTOR3& a, const D3DXVECTOR3& b) {
    return std::max({std::fabs(a.x - b.x), std::fabs(a.y - b.y), std::fabs(a.z - b.z)});
}

// The largest gap between the meshes' vertices and morph frame positions.
float geometryGap(const SceneMesh& got, const SceneMesh& want) {
    float largest = 0;
    for (std::size_t i = 0; i < want.vertices.size(); ++i)
        largest = std::max(largest, gap(got.vertices.at(i).position, want.vertices[i].position));
    for (std::size_t f = 0; f < want.morphFrames.size(); ++f)
        for (std::size_t i = 0; i < want.morphFrames[f].positions.size(); ++i)
            largest = std::max(largest, gap(got.morphFrames.at(f).positions.at(i),
                                            want.morphFrames[f].positions[i]));
    return largest;
}

void expectSameGeometry(const SceneMesh& got, const SceneMesh& want) {
    ASSERT_EQ(got.vertices.size(), want.vertices.size()) << want.name;
    ASSERT_EQ(got.morphFrames.size(), want.morphFrames.size()) << want.name;
    ASSERT_EQ(got.faceGroups.size(), want.faceGroups.size()) << want.name;
    for (std::size_t g = 0; g < want.faceGroups.size(); ++g)
        EXPECT_EQ(got.faceGroups[g].indices, want.faceGroups[g].indices) << want.name;
    EXPECT_LT(geometryGap(got, want), kTolerance) << want.name;
}

// Alike within float rounding: materials, the node tree, the meshes, and
// every node's world matrix at several times.
void expectAlike(Scene& got, Scene& want) {
    ASSERT_EQ(got.length, want.length);
    ASSERT_EQ(got.materials.size(), want.materials.size());
    for (std::size_t i = 0; i < want.materials.size(); ++i) {
        EXPECT_EQ(got.materials[i]->name, want.materials[i]->name);
        EXPECT_EQ(got.materials[i]->flags, want.materials[i]->flags);
        EXPECT_EQ(got.materials[i]->layers[0].fileName, want.materials[i]->layers[0].fileName);
    }
    ASSERT_EQ(got.nodes.size(), want.nodes.size());
    for (std::size_t i = 0; i < want.nodes.size(); ++i) {
        const SceneNode &a = *got.nodes[i], &b = *want.nodes[i];
        EXPECT_TRUE(a.name == b.name && typeid(a) == typeid(b) && a.parentId == b.parentId &&
                    a.targetId == b.targetId)
            << b.name;
    }
    ASSERT_EQ(got.meshes.size(), want.meshes.size());
    for (std::size_t i = 0; i < want.meshes.size(); ++i)
        expectSameGeometry(*got.meshes[i], *want.meshes[i]);
    for (float tick : {0.0f, 3000.0f, 12345.0f}) {
        got.update(tick);
        want.update(tick);
        for (std::size_t i = 0; i < want.nodes.size(); ++i) {
            float largest = 0;
            for (int cell = 0; cell < 16; ++cell)
                largest = std::max(largest, std::fabs(got.nodes[i]->world.m[cell / 4][cell % 4] -
                                                      want.nodes[i]->world.m[cell / 4][cell % 4]));
            EXPECT_LT(largest, kTolerance) << want.nodes[i]->name << " at " << tick;
        }
    }
}

TEST(DemoBanner, CommittedFilesAreWhatTheToolsMake) {
    EXPECT_TRUE(fileText(kGltf) == buildBannerGltf())
        << "demo/models/banner.gltf is not what tessal-demo-scene --gltf makes; run it again";
    const auto committed = readBack(fileText(kSource / "demo/data/banner.y3d"));
    const auto converted = convertedBanner();
    ASSERT_TRUE(committed && converted);
    expectAlike(*committed, *converted);
}

// Where the bones put a point of the cloth bound to bone `bone` alone, in
// the cloth's own space: each bone turns what hangs on it, and stands one
// unit along its parent's x; z negated into the scene's left-handed space.
D3DXVECTOR3 carriedByBones(int bone, float y, double seconds) {
    D3DXVECTOR3 p{0, y, 0};
    for (int k = bone; k >= 0; --k) {
        const D3DXQUATERNION turn = bannerBoneTurn(k, seconds);
        D3DXMATRIX m;
        D3DXVec3TransformCoord(&p, &p, D3DXMatrixRotationQuaternion(&m, &turn));
        if (k > 0) p.x += 1;
    }
    return {p.x, p.y, -p.z};
}

TEST(DemoBanner, BakedClothFollowsItsBones) {
    const auto scene = convertedBanner();
    ASSERT_NE(scene, nullptr);
    const auto* cloth = dynamic_cast<const SceneMesh*>(scene->findNode("Cloth"));
    ASSERT_TRUE(cloth != nullptr && cloth->isMorph);
    ASSERT_EQ(cloth->morphFrames.size(), std::size_t(kBannerLoopSeconds * 30 + 1));
    for (int frame : {0, 37})
        for (int bone : {1, 4})
            for (int row : {0, kBannerRows}) {
                const int v = bannerClothVertex(bone * kBannerColumnsPerBone, row);
                ASSERT_NEAR(cloth->textureCoordinates.at(v).x,
                            float(bone * kBannerColumnsPerBone) / kBannerColumns, 1e-6f);
                const float y = kBannerClothTop - kBannerClothHeight * float(row) / kBannerRows;
                expectNear(cloth->morphFrames[frame].positions.at(v),
                           carriedByBones(bone, y, frame / 30.0),
                           "bone " + std::to_string(bone) + " frame " + std::to_string(frame));
            }
}

// The mast's spline has a key every second; between keys it must still
// follow the sway within the spline's own error (about 0.005 rad); played
// linearly, it would cut the sine's corners by 0.07 rad.
TEST(DemoBanner, MastSwaysAlongItsSpline) {
    const auto scene = convertedBanner();
    ASSERT_NE(scene, nullptr);
    SceneNode* mast = scene->findNode("Mast");
    ASSERT_NE(mast, nullptr);
    for (const double seconds : {0.5, 1.3, 2.5}) {
        scene->update(float(seconds * 4800));
        const D3DXQUATERNION turn = bannerMastTurn(seconds);
        const double angle = 2 * std::atan2(turn.y, turn.w);
        // About y, z negated: the x axis ends at (cos a, 0, sin a).
        EXPECT_NEAR(std::atan2(mast->world.m[0][2], mast->world.m[0][0]), angle, 0.01) << seconds;
    }
}

}  // namespace

// Scenes built by hand as assimp may hand them over after its validation
// (which only warns about key times out of order, and lets keys, morph
// frames and format hints through as the input has them): each converts to
// a scene our reader takes, and means what the input meant.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "scene/packed_mesh.h"
#include "scene/scene_reader.h"
#include "scene_conversion.h"

namespace {

using ::testing::Contains;
using ::testing::HasSubstr;

// `count` separate triangles, flagged as triangles only.
aiMesh* triangles(unsigned count) {
    auto* mesh = new aiMesh;
    mesh->mPrimitiveTypes = aiPrimitiveType_TRIANGLE;
    mesh->mNumVertices = 3 * count;
    mesh->mVertices = new aiVector3D[mesh->mNumVertices];
    mesh->mNumFaces = count;
    mesh->mFaces = new aiFace[count];
    for (unsigned f = 0; f < count; ++f) {
        mesh->mVertices[3 * f] = {float(f), 0, 0};
        mesh->mVertices[3 * f + 1] = {float(f) + 1, 0, 0};
        mesh->mVertices[3 * f + 2] = {float(f), 1, 0};
        mesh->mFaces[f].mNumIndices = 3;
        mesh->mFaces[f].mIndices = new unsigned[3]{3 * f, 3 * f + 1, 3 * f + 2};
    }
    return mesh;
}

aiNode* child(aiNode& parent, const char* name, std::vector<unsigned> meshes) {
    auto* node = new aiNode(name);
    node->mParent = &parent;
    node->mNumMeshes = unsigned(meshes.size());
    node->mMeshes = new unsigned[meshes.size()];
    std::copy(meshes.begin(), meshes.end(), node->mMeshes);
    aiNode** children = new aiNode*[parent.mNumChildren + 1];
    std::copy_n(parent.mChildren, parent.mNumChildren, children);
    children[parent.mNumChildren++] = node;
    delete[] parent.mChildren;
    parent.mChildren = children;
    return node;
}

template <typename T>
T** pointers(std::initializer_list<T*> items) {
    T** out = new T*[items.size()];
    std::copy(items.begin(), items.end(), out);
    return out;
}

// A root "root" over the meshes' nodes, with one plain material.
std::unique_ptr<aiScene> sceneOf(std::initializer_list<aiMesh*> meshes) {
    auto scene = std::make_unique<aiScene>();
    scene->mRootNode = new aiNode("root");
    scene->mNumMeshes = unsigned(meshes.size());
    scene->mMeshes = pointers(meshes);
    scene->mNumMaterials = 1;
    scene->mMaterials = pointers<aiMaterial>({new aiMaterial});
    return scene;
}

// One node channel, or one morph channel, at one tick per second.
aiAnimation* animationOf(aiNodeAnim* channel, aiMeshMorphAnim* morph = nullptr) {
    auto* animation = new aiAnimation;
    animation->mTicksPerSecond = 1;
    if (channel != nullptr) {
        animation->mNumChannels = 1;
        animation->mChannels = pointers<aiNodeAnim>({channel});
    }
    if (morph != nullptr) {
        animation->mNumMorphMeshChannels = 1;
        animation->mMorphMeshChannels = pointers<aiMeshMorphAnim>({morph});
    }
    return animation;
}

std::unique_ptr<Scene> readBack(const ConversionResult& result) {
    EXPECT_EQ(result.error, "");
    auto scene = readScene(result.bytes.data(), result.bytes.size());
    if (scene) scene->prepareTracks();
    return scene;
}

ConversionOptions withoutViewers() {
    ConversionOptions options;
    options.addCamera = false;
    return options;
}

TEST(HandBuiltConversion, KeysOutOfTimeOrderOrWithoutATimeAreSortedOrLeftOut) {
    auto scene = sceneOf({triangles(1)});
    child(*scene->mRootNode, "arm", {0});
    const float half = std::sqrt(0.5f);
    auto* channel = new aiNodeAnim;
    channel->mNodeName = "arm";
    const double noTime = std::numeric_limits<double>::quiet_NaN();
    channel->mNumPositionKeys = 3;
    channel->mPositionKeys =
        new aiVectorKey[3]{{0, {0, 0, 0}}, {1, {0, 0, 10}}, {noTime, {5, 5, 5}}};
    channel->mNumRotationKeys = 2;  // 90° about y at 1 s, none at 0 s
    channel->mRotationKeys =
        new aiQuatKey[2]{{1, aiQuaternion(half, 0, half, 0)}, {0, aiQuaternion()}};
    scene->mNumAnimations = 1;
    scene->mAnimations = pointers({animationOf(channel)});
    const auto read = readBack(convertScene(*scene, withoutViewers(), "out"));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->length, 30);
    SceneNode* arm = read->findNode("arm");
    ASSERT_NE(arm, nullptr);
    read->update(0);
    EXPECT_NEAR(arm->position.x, 0, 1e-5f);
    EXPECT_NEAR(std::fabs(arm->rotation.w), 1, 1e-5f);
    read->update(4800);
    EXPECT_NEAR(arm->position.z, -10, 1e-5f);
    EXPECT_NEAR(std::fabs(arm->rotation.y), half, 1e-5f);
}

TEST(HandBuiltConversion, KeysFarInTheFutureEndTheSceneAfterAnHour) {
    auto scene = sceneOf({triangles(1)});
    child(*scene->mRootNode, "arm", {0});
    auto* channel = new aiNodeAnim;
    channel->mNodeName = "arm";
    channel->mNumPositionKeys = 2;
    channel->mPositionKeys = new aiVectorKey[2]{{0, {0, 0, 0}}, {1e30, {1, 0, 0}}};
    scene->mNumAnimations = 1;
    scene->mAnimations = pointers({animationOf(channel)});
    const ConversionResult result = convertScene(*scene, withoutViewers(), "out");
    EXPECT_THAT(result.warnings, Contains(HasSubstr("animation cut")));
    const auto read = readBack(result);
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->length, 3600 * 30);
}

// Ten minutes of a morph target at 30 frames per second would be 18001
// frames of 900 vertices and 300 faces: far more than a packed mesh may hold.
TEST(HandBuiltConversion, LongMorphAnimationIsBakedAtFewerFramesTheReaderTakes) {
    aiMesh* mesh = triangles(300);
    mesh->mNumAnimMeshes = 1;
    mesh->mAnimMeshes = pointers({new aiAnimMesh});
    mesh->mAnimMeshes[0]->mNumVertices = mesh->mNumVertices;
    mesh->mAnimMeshes[0]->mVertices = new aiVector3D[mesh->mNumVertices];
    auto scene = sceneOf({mesh});
    child(*scene->mRootNode, "blob", {0});
    auto* morph = new aiMeshMorphAnim;
    morph->mName = "blob";
    morph->mNumKeys = 1;
    morph->mKeys = new aiMeshMorphKey[1];
    morph->mKeys[0].mTime = 600;
    scene->mNumAnimations = 1;
    scene->mAnimations = pointers({animationOf(nullptr, morph)});
    const ConversionResult result = convertScene(*scene, withoutViewers(), "out");
    EXPECT_THAT(result.warnings, Contains(HasSubstr("blob baked at")));
    const auto read = readBack(result);
    ASSERT_NE(read, nullptr);
    const auto& blob = dynamic_cast<const SceneMesh&>(*read->findNode("blob"));
    ASSERT_TRUE(blob.isMorph);
    EXPECT_LE(blob.morphFrames.size() * 1800, PackedMesh::kMaxFrameEntries);
    EXPECT_EQ(blob.morphFrames.back().time, 18000 * 160);
}

// Flagged as holding triangles, but holding only a point: a node with
// nothing to draw, kept as a dummy for the mesh below it.
TEST(HandBuiltConversion, MeshFlaggedWithTrianglesItLacksLeavesAParentForItsChildren) {
    aiMesh* dots = triangles(1);
    dots->mPrimitiveTypes |= aiPrimitiveType_POINT;
    dots->mFaces[0].mNumIndices = 1;
    auto scene = sceneOf({dots, triangles(1)});
    aiNode* holder = child(*scene->mRootNode, "dots", {0});
    child(*holder, "tri", {1});
    const auto read = readBack(convertScene(*scene, withoutViewers(), "out"));
    ASSERT_NE(read, nullptr);
    ASSERT_NE(read->findNode("dots"), nullptr);
    ASSERT_NE(read->findNode("tri"), nullptr);
    EXPECT_EQ(read->findNode("tri")->parent, read->findNode("dots"));
}

TEST(HandBuiltConversion, EmbeddedImageHintThatIsNoExtensionIsNotUsedAsOne) {
    auto scene = sceneOf({triangles(1)});
    child(*scene->mRootNode, "tri", {0});
    auto* image = new aiTexture;
    image->mWidth = 4;
    image->pcData = new aiTexel[1]();
    std::strcpy(image->achFormatHint, "/../../x");
    scene->mNumTextures = 1;
    scene->mTextures = pointers({image});
    const aiString path("*0");
    scene->mMaterials[0]->AddProperty(&path, AI_MATKEY_TEXTURE_DIFFUSE(0));
    const ConversionResult result = convertScene(*scene, withoutViewers(), "out");
    ASSERT_EQ(result.textures.size(), 1u);
    EXPECT_EQ(result.textures[0].sceneName, "out-0.raw");
}

// A strip of 22000 vertices, each in three of its faces, morphing: texture
// coordinates that are no number must not split every shared vertex (the
// reader would then need 66000 of them).
TEST(HandBuiltConversion, MorphingMeshWithTextureCoordinatesThatAreNoNumber) {
    aiMesh* mesh = triangles(1);
    delete[] mesh->mVertices;
    delete[] mesh->mFaces;
    mesh->mNumVertices = mesh->mNumFaces = 22000;
    mesh->mVertices = new aiVector3D[22000];
    mesh->mTextureCoords[0] = new aiVector3D[22000];
    mesh->mFaces = new aiFace[22000];
    for (unsigned i = 0; i < 22000; ++i) {
        mesh->mVertices[i] = {float(i % 2), float(i), 0};
        mesh->mTextureCoords[0][i].x = std::numeric_limits<float>::quiet_NaN();
        mesh->mFaces[i].mNumIndices = 3;
        mesh->mFaces[i].mIndices = new unsigned[3]{i, (i + 1) % 22000, (i + 2) % 22000};
    }
    mesh->mNumAnimMeshes = 1;
    mesh->mAnimMeshes = pointers({new aiAnimMesh});
    auto scene = sceneOf({mesh});
    child(*scene->mRootNode, "strip", {0});
    const auto read = readBack(convertScene(*scene, withoutViewers(), "out"));
    ASSERT_NE(read, nullptr);
    EXPECT_TRUE(dynamic_cast<const SceneMesh&>(*read->findNode("strip")).isMorph);
}

}  // namespace

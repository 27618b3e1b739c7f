// A whole aiScene from the fuzz bytes, shaped as assimp hands a scene over
// after its validation step, owning everything as assimp's own scenes do:
// deleting it frees all of it.
#pragma once

#include <assimp/scene.h>

#include <memory>

#include "fuzzed_animation.h"
#include "fuzzed_materials.h"
#include "fuzzed_meshes.h"
#include "fuzzed_nodes.h"
#include "fuzzed_viewers.h"

inline void fuzzMaterials(ByteSource& in, aiScene& scene) {
    scene.mNumMaterials = 1 + in.below(3);
    scene.mMaterials = newPointers<aiMaterial>(scene.mNumMaterials);
    for (unsigned i = 0; i < scene.mNumMaterials; ++i) scene.mMaterials[i] = fuzzedMaterial(in);
    scene.mNumTextures = in.below(3);
    scene.mTextures = newPointers<aiTexture>(scene.mNumTextures);
    for (unsigned i = 0; i < scene.mNumTextures; ++i) scene.mTextures[i] = fuzzedTexture(in);
}

inline void fuzzMeshes(ByteSource& in, aiScene& scene, const std::vector<aiNode*>& nodes) {
    scene.mNumMeshes = 1 + in.below(4);
    scene.mMeshes = newPointers<aiMesh>(scene.mNumMeshes);
    for (unsigned i = 0; i < scene.mNumMeshes; ++i)
        scene.mMeshes[i] = fuzzedMesh(in, nodes, scene.mNumMaterials);
    attachMeshes(in, nodes, scene.mNumMeshes);
}

inline void fuzzAnimations(ByteSource& in, aiScene& scene, const std::vector<aiNode*>& nodes) {
    scene.mNumAnimations = in.below(3);
    scene.mAnimations = newPointers<aiAnimation>(scene.mNumAnimations);
    for (unsigned i = 0; i < scene.mNumAnimations; ++i)
        scene.mAnimations[i] = fuzzedAnimation(in, scene, nodes);
}

inline std::unique_ptr<aiScene> fuzzedScene(ByteSource& in) {
    auto scene = std::make_unique<aiScene>();
    std::vector<aiNode*> nodes;
    scene->mRootNode = fuzzedNode(in, nullptr, 0, nodes);
    fuzzMaterials(in, *scene);
    fuzzMeshes(in, *scene, nodes);
    fuzzViewers(in, *scene, nodes);
    fuzzAnimations(in, *scene, nodes);
    return scene;
}

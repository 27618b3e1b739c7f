#include "gltf_spot_cones.h"

#include <assimp/commonMetaData.h>

#include <string_view>

namespace {

bool isGltf(const aiScene& scene) {
    aiString format;
    return scene.mMetaData != nullptr && scene.mMetaData->Get(AI_METADATA_SOURCE_FORMAT, format) &&
           std::string_view(format.C_Str()).starts_with("glTF2");
}

}  // namespace

void widenGltfSpotCones(aiScene& scene) {
    if (!isGltf(scene)) return;
    for (unsigned i = 0; i < scene.mNumLights; ++i) {
        aiLight& light = *scene.mLights[i];
        if (light.mType != aiLightSource_SPOT) continue;
        light.mAngleInnerCone *= 2;
        light.mAngleOuterCone *= 2;
    }
}

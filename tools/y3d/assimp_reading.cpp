#include "assimp_reading.h"

#include <assimp/config.h>
#include <assimp/postprocess.h>

#include "fbx_settings.h"
#include "gltf_spot_cones.h"

namespace {

constexpr unsigned kProcessing = aiProcess_Triangulate | aiProcess_SortByPType |
                                 aiProcess_GenSmoothNormals | aiProcess_ValidateDataStructure |
                                 aiProcess_LimitBoneWeights;

// The scene belongs to the importer, which hands it out read-only; what
// its FBX and glTF importers leave unlike the others is settled here,
// before anything else reads it.
const aiScene* checked(const Assimp::Importer& importer, const aiScene* scene, std::string& error) {
    if (scene == nullptr) {
        error = importer.GetErrorString();
        if (error.empty()) error = "not a format assimp can read";
    } else if ((scene->mFlags & AI_SCENE_FLAGS_INCOMPLETE) != 0) {
        error = "the file is incomplete";
        return nullptr;
    } else {
        turnFbxAxesToYUp(*const_cast<aiScene*>(scene));
        widenGltfSpotCones(*const_cast<aiScene*>(scene));
    }
    return scene;
}

}  // namespace

const aiScene* readWithAssimp(Assimp::Importer& importer, const std::string& path,
                              std::string& error) {
    return checked(importer, importer.ReadFile(path, kProcessing), error);
}

const aiScene* readWithAssimp(Assimp::Importer& importer, std::span<const std::uint8_t> bytes,
                              const char* formatHint, std::string& error) {
    return checked(importer,
                   importer.ReadFileFromMemory(bytes.data(), bytes.size(), kProcessing, formatHint),
                   error);
}

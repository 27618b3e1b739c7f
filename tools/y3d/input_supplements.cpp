#include "input_supplements.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "assimp_reading.h"
#include "curve_baking.h"
#include "gltf_curves.h"
#include "mtl_reflection_maps.h"
#include "platform/files/regular_file.h"

namespace {

namespace fs = std::filesystem;

std::string lowerExtension(const std::string& path) {
    std::string extension = fs::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return extension;
}

// A file beside the input, named relative to the input's folder.
std::optional<std::vector<std::uint8_t>> besideInput(const std::string& inputPath,
                                                     const std::string& name) {
    return readRegularFile((fs::path(inputPath).parent_path() / name).string());
}

// Spares parsing the JSON of a file whose keys are all linear. The quotes
// keep a base64 buffer from matching.
bool mayHoldSteppedOrCubicKeys(const std::vector<std::uint8_t>& bytes) {
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return text.find("\"STEP\"") != text.npos || text.find("\"CUBICSPLINE\"") != text.npos;
}

void addGltfCurves(aiScene& scene, const std::string& inputPath, double framesPerSecond,
                   std::vector<std::string>& warnings) {
    if (scene.mNumAnimations == 0) return;
    const auto bytes = readRegularFile(inputPath);
    if (!bytes || !mayHoldSteppedOrCubicKeys(*bytes)) return;
    GltfCurves found = readSteppedAndCubicCurves(
        *bytes, [&](const std::string& uri) { return besideInput(inputPath, uri); });
    warnings.insert(warnings.end(), found.warnings.begin(), found.warnings.end());
    bakeCurves(*scene.mAnimations[0], found.curves, framesPerSecond, warnings);
}

void addReflectionMap(aiMaterial& material, const std::string& file) {
    if (material.GetTextureCount(aiTextureType_REFLECTION) > 0) return;
    const aiString path(file);
    material.AddProperty(&path, AI_MATKEY_TEXTURE(aiTextureType_REFLECTION, 0));
}

void addReflectionMaps(aiScene& scene, const std::string& inputPath) {
    const auto obj = readRegularFile(inputPath);
    if (!obj) return;
    std::map<std::string, std::string> maps;
    for (const std::string& library : materialLibraries(*obj))
        if (const auto mtl = besideInput(inputPath, library)) maps.merge(reflectionMaps(*mtl));
    for (unsigned i = 0; i < scene.mNumMaterials; ++i) {
        const auto found = maps.find(scene.mMaterials[i]->GetName().C_Str());
        if (found != maps.end()) addReflectionMap(*scene.mMaterials[i], found->second);
    }
}

}  // namespace

void supplementScene(aiScene& scene, const std::string& inputPath, double framesPerSecond,
                     std::vector<std::string>& warnings) {
    const std::string extension = lowerExtension(inputPath);
    if (extension == ".gltf" || extension == ".glb")
        addGltfCurves(scene, inputPath, framesPerSecond, warnings);
    else if (extension == ".obj")
        addReflectionMaps(scene, inputPath);
}

std::unique_ptr<aiScene> readInputScene(const std::string& path, double framesPerSecond,
                                        std::vector<std::string>& warnings, std::string& error) {
    Assimp::Importer importer;
    if (readWithAssimp(importer, path, error) == nullptr) return nullptr;
    std::unique_ptr<aiScene> scene(importer.GetOrphanedScene());
    supplementScene(*scene, path, framesPerSecond, warnings);
    return scene;
}

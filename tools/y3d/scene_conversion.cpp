#include "scene_conversion.h"

#include <climits>
#include <cmath>

#include "animation_cleaning.h"
#include "fbx_settings.h"
#include "mesh_building.h"
#include "mirroring.h"
#include "node_plan.h"
#include "scene_converter.h"

namespace {

constexpr double kLongestSeconds = 3600;

std::size_t pointAndLineMeshes(const aiScene& scene) {
    std::size_t count = 0;
    for (unsigned i = 0; i < scene.mNumMeshes; ++i)
        if (!holdsTriangles(*scene.mMeshes[i])) ++count;
    return count;
}

double lastKeySeconds(const aiAnimation& animation) {
    double last = 0;
    for (unsigned i = 0; i < animation.mNumChannels; ++i) {
        const aiNodeAnim& c = *animation.mChannels[i];
        for (auto [keys, count] : {std::pair{c.mPositionKeys, c.mNumPositionKeys},
                                   std::pair{c.mScalingKeys, c.mNumScalingKeys}})
            if (count > 0) last = std::max(last, keys[count - 1].mTime);
        if (c.mNumRotationKeys > 0)
            last = std::max(last, c.mRotationKeys[c.mNumRotationKeys - 1].mTime);
    }
    for (unsigned i = 0; i < animation.mNumMorphMeshChannels; ++i) {
        const aiMeshMorphAnim& c = *animation.mMorphMeshChannels[i];
        if (c.mNumKeys > 0) last = std::max(last, c.mKeys[c.mNumKeys - 1].mTime);
    }
    return last / (animation.mTicksPerSecond > 0 ? animation.mTicksPerSecond : 25);
}

}  // namespace

SceneConverter::SceneConverter(const aiScene& scene, const ConversionOptions& options,
                               const std::string& embeddedStem)
    : scene_(scene), options_(options), embeddedStem_(embeddedStem) {}

bool SceneConverter::checkInput() {
    if (scene_.mNumMeshes == 0 && scene_.mNumCameras == 0 && scene_.mNumLights == 0)
        result_.error = "it holds no meshes, cameras or lights";
    for (unsigned i = 0; i < scene_.mNumMeshes && result_.error.empty(); ++i)
        if (scene_.mMeshes[i]->mNumFaces == 0)
            result_.error =
                "mesh '" + std::string(scene_.mMeshes[i]->mName.C_Str()) + "' has no faces";
    if (const std::size_t n = pointAndLineMeshes(scene_))
        result_.warnings.push_back(std::to_string(n) + " meshes of points or lines left out");
    return result_.error.empty();
}

// The first animation drives the scene; others are reported.
const aiAnimation* SceneConverter::chooseAnimation() {
    if (scene_.mNumAnimations == 0) return nullptr;
    if (scene_.mNumAnimations > 1)
        result_.warnings.push_back(std::to_string(scene_.mNumAnimations - 1) +
                                   " animations after the first left out");
    const aiAnimation& first = *scene_.mAnimations[0];
    if (isClean(first)) return &first;
    cleanedAnimation_ = cleanedAnimation(first);
    return cleanedAnimation_.get();
}

// Whole frames covering the longest animation, at least one. Keys may lie
// at any time; the scene ends after an hour at the latest, which also keeps
// its ticks within 32 bits.
std::int32_t SceneConverter::lengthInFrames() {
    if (animation_ == nullptr) return 1;
    const double frames = lastKeySeconds(*animation_) * options_.framesPerSecond;
    const double most =
        std::max(1.0, std::floor(std::min(kLongestSeconds * options_.framesPerSecond,
                                          double(INT32_MAX / SceneClock::kTicks))));
    if (frames > most) {
        result_.warnings.push_back("animation cut at " + std::to_string(std::int32_t(most)) +
                                   " frames");
        return std::int32_t(most);
    }
    return std::max<std::int32_t>(1, std::int32_t(std::ceil(frames - 1e-6)));
}

void SceneConverter::writeMaterials(const std::vector<ConvertedMaterial>& materials) {
    for (const ConvertedMaterial& m : materials) {
        beginMaterial(out_, m.material);
        for (std::uint16_t layer = 0; layer < 3; ++layer)
            if (!m.maps[layer].empty()) writeMaterialMap(out_, layer, m.maps[layer]);
        out_.end();
    }
    result_.summary.materials = materials.size();
}

ConversionResult SceneConverter::convert() {
    if (!checkInput()) return std::move(result_);
    animation_ = chooseAnimation();
    poses_ = PoseSampler(scene_, animation_);
    clock_ = {poses_.ticksPerSecond(), options_.framesPerSecond};
    length_ = lengthInFrames();
    MaterialConversion materials = convertMaterials(scene_, options_.inputFolder, embeddedStem_);
    if (!materials.error.empty()) {
        result_.error = materials.error;
        return std::move(result_);
    }
    result_.textures = std::move(materials.textures);
    const NodePlan plan = planNodes(scene_, poses_, names_, nextId_);
    shareMorphBudget(plan);
    if (plan.unsupportedLights > 0)
        result_.warnings.push_back(std::to_string(plan.unsupportedLights) +
                                   " lights of an unsupported kind left out");
    if (plan.orthographicCameras > 0)
        result_.warnings.push_back(std::to_string(plan.orthographicCameras) +
                                   " orthographic cameras shown in perspective");
    beginContainer(out_);
    writeSceneTiming(out_, 0, length_, SceneClock::kTicks);
    writeMaterials(materials.materials);
    for (const PlannedNode& planned : plan.nodes) writeNode(planned);
    if (result_.summary.cameras == 0 && options_.addCamera && result_.summary.meshes > 0)
        writeAddedViewers();
    result_.summary.lengthFrames = length_;
    result_.summary.framesPerSecond = options_.framesPerSecond;
    result_.bytes = out_.finish();
    return std::move(result_);
}

ConversionResult convertScene(const aiScene& scene, const ConversionOptions& options,
                              const std::string& embeddedStem) {
    ConversionOptions inMetres = options;  // an FBX file's centimetres, say
    inMetres.scale *= metresPerInputUnit(scene);
    return SceneConverter(scene, inMetres, embeddedStem).convert();
}

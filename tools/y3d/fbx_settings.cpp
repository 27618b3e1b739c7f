#include "fbx_settings.h"

#include <cmath>
#include <cstdint>
#include <optional>

namespace {

std::optional<int> intSetting(const aiScene& scene, const char* key) {
    std::int32_t value = 0;
    if (scene.mMetaData == nullptr || !scene.mMetaData->Get(key, value)) return std::nullopt;
    return value;
}

// Row `row` of the turn: the file's axis `axis` (0 x, 1 y, 2 z), signed.
bool setRow(aiMatrix4x4& turn, unsigned row, std::optional<int> axis, std::optional<int> sign) {
    if (!axis || !sign || *axis < 0 || *axis > 2) return false;
    for (unsigned c = 0; c < 3; ++c) turn[row][c] = c == unsigned(*axis) ? (*sign < 0 ? -1 : 1) : 0;
    return true;
}

}  // namespace

// Assimp 5.2 keeps UnitScaleFactor as a float; a double is taken too.
float metresPerInputUnit(const aiScene& scene) {
    const aiMetadata* settings = scene.mMetaData;
    float centimetres = 0;
    double wide = 0;
    if (settings != nullptr && settings->Get("UnitScaleFactor", wide)) centimetres = float(wide);
    if (settings != nullptr) settings->Get("UnitScaleFactor", centimetres);
    return centimetres > 0 && std::isfinite(centimetres) ? centimetres / 100 : 1;
}

// Scene x is the file's CoordAxis, y its UpAxis, z its FrontAxis (towards
// the viewer), each with its sign.
void turnFbxAxesToYUp(aiScene& scene) {
    aiMatrix4x4 turn;
    if (!setRow(turn, 0, intSetting(scene, "CoordAxis"), intSetting(scene, "CoordAxisSign")) ||
        !setRow(turn, 1, intSetting(scene, "UpAxis"), intSetting(scene, "UpAxisSign")) ||
        !setRow(turn, 2, intSetting(scene, "FrontAxis"), intSetting(scene, "FrontAxisSign")))
        return;
    if (std::fabs(turn.Determinant() - 1) > 1e-6f || turn.IsIdentity()) return;
    scene.mRootNode->mTransformation = turn * scene.mRootNode->mTransformation;
}

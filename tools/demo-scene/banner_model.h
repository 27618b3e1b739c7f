// The sample production's banner, a model kept as glTF to go through
// tessal-y3d convert: a striped cloth on a pole, waved by a chain of bones
// along its length while the whole mast sways. Everything here is in glTF's
// right-handed, Y-up space; one loop lasts four seconds.
#pragma once

#include <cstdint>
#include <vector>

#include "d3dx/d3dx_math_types.h"

constexpr int kBannerBones = 5;           // bone k sits k units along the cloth
constexpr int kBannerColumnsPerBone = 4;  // cloth columns between two bones
constexpr int kBannerColumns = kBannerColumnsPerBone * (kBannerBones - 1);
constexpr int kBannerRows = 6;
constexpr float kBannerClothTop = 1.0f;
constexpr float kBannerClothHeight = 1.8f;
constexpr double kBannerLoopSeconds = 4;
constexpr int kBannerKeysPerSecond = 30;

// A bone's turn relative to its parent, and the mast's, at a time of the
// loop; both return to their start at the end of it.
D3DXQUATERNION bannerBoneTurn(int bone, double seconds);
D3DXQUATERNION bannerMastTurn(double seconds);
// How fast the mast's turn changes, per second, component by component:
// the tangent of its cubic spline keys.
D3DXQUATERNION bannerMastTurnRate(double seconds);
constexpr int kBannerMastKeysPerLoop = 4;

// Interleaved vertex data as glTF stores it. `joints` and `weights` (four
// a vertex) are empty for a mesh without a skin.
struct BannerMesh {
    std::vector<float> positions, normals, textureCoordinates, weights;
    std::vector<std::uint16_t> joints, indices;
};

// The cloth: a grid in the z = 0 plane from x = 0 to the last bone, facing
// +z; a vertex between two bones is bound to both by its distance to each.
BannerMesh bannerCloth();
// The pole the cloth hangs from: a six-sided prism along y at x = 0.
BannerMesh bannerPole();
// The index of the cloth vertex at `column` (0 at the pole) and `row` (0 at the top).
int bannerClothVertex(int column, int row);

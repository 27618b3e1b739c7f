#include "banner_model.h"

#include <cmath>

#include "d3dx/d3dx_math.h"
#include "vector_math.h"

namespace {

constexpr float kPoleRadius = 0.08f;
constexpr float kPoleBottom = -3.5f, kPoleTop = 1.15f;
constexpr int kPoleSides = 6;

double loopAngle(double seconds) {
    return 2 * kPi * seconds / kBannerLoopSeconds;
}

void append(std::vector<float>& to, std::initializer_list<float> values) {
    to.insert(to.end(), values);
}

void appendPoleSide(BannerMesh& pole, int side) {
    const float a0 = 2 * kPi * float(side) / kPoleSides,
                a1 = 2 * kPi * float(side + 1) / kPoleSides;
    const float middle = (a0 + a1) / 2;
    const auto first = std::uint16_t(pole.positions.size() / 3);
    for (const auto& [angle, y] : {std::pair{a0, kPoleBottom}, std::pair{a1, kPoleBottom},
                                   std::pair{a1, kPoleTop}, std::pair{a0, kPoleTop}}) {
        append(pole.positions, {kPoleRadius * std::sin(angle), y, kPoleRadius * std::cos(angle)});
        append(pole.normals, {std::sin(middle), 0, std::cos(middle)});
        append(pole.textureCoordinates, {float(side) / kPoleSides, 0});
    }
    // Counter-clockwise seen from outside, as glTF's front faces are.
    for (int corner : {0, 1, 2, 0, 2, 3}) pole.indices.push_back(std::uint16_t(first + corner));
}

// The bone a column is bound to, the next one, and the next one's share.
void appendBinding(BannerMesh& cloth, int column) {
    const int bone = std::min(column / kBannerColumnsPerBone, kBannerBones - 1);
    const float share = float(column - bone * kBannerColumnsPerBone) / kBannerColumnsPerBone;
    const int next = share > 0 ? bone + 1 : 0;
    cloth.joints.insert(cloth.joints.end(), {std::uint16_t(bone), std::uint16_t(next), 0, 0});
    append(cloth.weights, {1 - share, share, 0, 0});
}

}  // namespace

D3DXQUATERNION bannerBoneTurn(int bone, double seconds) {
    const double angle = loopAngle(seconds);
    const float sway = (0.2f + 0.07f * float(bone)) * float(std::sin(angle - 0.9 * bone));
    const float twist = 0.1f * float(std::sin(2 * angle - 1.3 * bone));
    D3DXQUATERNION both;
    const D3DXQUATERNION first = axisAngle({1, 0, 0}, twist), second = axisAngle({0, 1, 0}, sway);
    D3DXQuaternionMultiply(&both, &first, &second);
    return both;
}

constexpr double kMastSway = 0.35;  // largest turn, radians

D3DXQUATERNION bannerMastTurn(double seconds) {
    return axisAngle({0, 1, 0}, float(kMastSway * std::sin(loopAngle(seconds))));
}

// The turn is (0, sin(a/2), 0, cos(a/2)) for a = sway * sin(loop angle).
D3DXQUATERNION bannerMastTurnRate(double seconds) {
    const double angle = kMastSway * std::sin(loopAngle(seconds));
    const double rate = kMastSway * std::cos(loopAngle(seconds)) * 2 * kPi / kBannerLoopSeconds;
    return {0, float(std::cos(angle / 2) * rate / 2), 0, float(-std::sin(angle / 2) * rate / 2)};
}

int bannerClothVertex(int column, int row) {
    return row * (kBannerColumns + 1) + column;
}

BannerMesh bannerCloth() {
    BannerMesh cloth;
    for (int row = 0; row <= kBannerRows; ++row)
        for (int column = 0; column <= kBannerColumns; ++column) {
            const float down = float(row) / kBannerRows;
            append(cloth.positions, {float(column) / kBannerColumnsPerBone,
                                     kBannerClothTop - down * kBannerClothHeight, 0});
            append(cloth.normals, {0, 0, 1});
            append(cloth.textureCoordinates, {float(column) / kBannerColumns, down});
            appendBinding(cloth, column);
        }
    for (int row = 0; row < kBannerRows; ++row)
        for (int column = 0; column < kBannerColumns; ++column) {
            const int topLeft = bannerClothVertex(column, row);
            const int bottomLeft = bannerClothVertex(column, row + 1);
            for (int corner :
                 {bottomLeft, bottomLeft + 1, topLeft + 1, bottomLeft, topLeft + 1, topLeft})
                cloth.indices.push_back(std::uint16_t(corner));
        }
    return cloth;
}

BannerMesh bannerPole() {
    BannerMesh pole;
    for (int side = 0; side < kPoleSides; ++side) appendPoleSide(pole, side);
    return pole;
}

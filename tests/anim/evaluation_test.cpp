// Evaluation of the four track kinds: empty tracks, clamping at both ends,
// keys hit exactly, and interpolation per kind.
#include <memory>
#include <numbers>

#include "anim/track_kinds.h"
#include "d3dx/math_expectations.h"

namespace {

constexpr float kPi = std::numbers::pi_v<float>;

TEST(TrackKinds, KindNumbersThroughTheBase) {
    const std::unique_ptr<KeyTrack> tracks[] = {
        std::make_unique<ScalarTrack>(), std::make_unique<VectorTrack>(),
        std::make_unique<RotationTrack>(), std::make_unique<ColorTrack>()};
    EXPECT_EQ(tracks[0]->kind(), 0);
    EXPECT_EQ(tracks[1]->kind(), 1);
    EXPECT_EQ(tracks[2]->kind(), 2);
    EXPECT_EQ(tracks[3]->kind(), 6);
}

TEST(TrackEvaluation, EmptyTracksGiveTheirKindsEmptyValue) {
    EXPECT_EQ(ScalarTrack().evaluate(3), 0.0f);
    expectNear(VectorTrack().evaluate(3), {0, 0, 0}, 0);
    expectNear(RotationTrack().evaluate(3), {0, 0, 0, 1}, 0);
    const ColorValue color = ColorTrack().evaluate(3);
    EXPECT_EQ(color.c0, 0);
    EXPECT_EQ(color.c1, 0);
    EXPECT_EQ(color.c2, 0);
    EXPECT_EQ(color.c3, 1);
}

TEST(TrackEvaluation, OneKeyHoldsAtEveryTime) {
    VectorTrack track;
    track.addKey({5, {1, 2, 3}});
    for (float t : {-100.0f, 5.0f, 100.0f}) expectNear(track.evaluate(t), {1, 2, 3}, 0);
}

TEST(TrackEvaluation, ScalarInterpolatesBetweenKeysAndClampsOutside) {
    ScalarTrack track;
    track.addKey({0, 0});
    track.addKey({10, 100});
    EXPECT_FLOAT_EQ(track.evaluate(2.5f), 25);
    EXPECT_EQ(track.evaluate(-1), 0);
    EXPECT_EQ(track.evaluate(0), 0);
    EXPECT_EQ(track.evaluate(10), 100);
    EXPECT_EQ(track.evaluate(1e6f), 100);  // no extrapolation
}

TEST(TrackEvaluation, AnInteriorKeyIsHitExactly) {
    VectorTrack track;
    track.addKey({0, {0, 0, 0}});
    track.addKey({0.1f, {0.3f, 7.7f, -1.9f}});
    track.addKey({0.7f, {5, 5, 5}});
    expectNear(track.evaluate(0.1f), {0.3f, 7.7f, -1.9f}, 0);
}

TEST(TrackEvaluation, VectorAndColorBlendEveryComponent) {
    VectorTrack vectors;
    vectors.addKey({1, {0, 10, -10}});
    vectors.addKey({5, {4, 30, 10}});
    expectNear(vectors.evaluate(2), {1, 15, -5});

    ColorTrack colors;
    colors.addKey({0, {255, 255, 255, 255}});
    colors.addKey({4, {0, 128, 255, 0}});
    const ColorValue c = colors.evaluate(1);
    EXPECT_FLOAT_EQ(c.c0, 191.25f);
    EXPECT_FLOAT_EQ(c.c1, 223.25f);
    EXPECT_FLOAT_EQ(c.c2, 255);
    EXPECT_FLOAT_EQ(c.c3, 191.25f);
}

TEST(TrackEvaluation, RotationsBlendSphericallyAlongTheShorterArc) {
    RotationTrack track;
    track.addKey({0, {0, 0, 0, 1}});
    track.addKey({10, turnAbout(0, 0, 1, kPi / 2)});
    expectNear(track.evaluate(5), turnAbout(0, 0, 1, kPi / 4));
    // A linear blend would leave the unit sphere; the result stays a unit rotation.
    const D3DXQUATERNION q = track.evaluate(2.5f);
    EXPECT_NEAR(D3DXQuaternionDot(&q, &q), 1, kMathTolerance);
    expectNear(q, turnAbout(0, 0, 1, kPi / 8));
}

}  // namespace

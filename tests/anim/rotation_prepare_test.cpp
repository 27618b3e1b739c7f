// Rotation keys stored relative to the previous key become absolute.
#include <numbers>

#include "anim/track_kinds.h"
#include "d3dx/math_expectations.h"

namespace {

constexpr float kPi = std::numbers::pi_v<float>;

TEST(RotationPrepare, QuarterTurnsAccumulateToHalfAndThreeQuarterTurns) {
    RotationTrack track;
    for (float time : {0.0f, 1.0f, 2.0f}) track.addKey({time, turnAbout(0, 0, 1, kPi / 2)});
    track.prepare();
    const auto keys = track.keys();
    expectNear(keys[0].value, turnAbout(0, 0, 1, kPi / 2));
    expectNear(keys[1].value, turnAbout(0, 0, 1, kPi));
    expectNear(keys[2].value, turnAbout(0, 0, 1, 3 * kPi / 2));
    expectNear(track.evaluate(0.5f), turnAbout(0, 0, 1, 3 * kPi / 4));
}

TEST(RotationPrepare, SortsBeforeAccumulatingInTheOrderOfTime) {
    const D3DXQUATERNION aboutX = turnAbout(1, 0, 0, kPi / 2), aboutZ = turnAbout(0, 0, 1, kPi / 2);
    RotationTrack track;
    track.addKey({30, aboutZ});
    track.addKey({0, aboutX});
    track.prepare();
    // The turn about x, then the turn about z (worked by hand).
    expectNear(track.keys()[0].value, aboutX);
    expectNear(track.keys()[1].value, {0.5f, 0.5f, 0.5f, 0.5f});
}

TEST(RotationPrepare, FewerThanTwoKeysAreLeftAsTheyAre) {
    RotationTrack empty;
    empty.prepare();
    EXPECT_EQ(empty.keyCount(), 0u);
    RotationTrack single;
    const D3DXQUATERNION q = turnAbout(0, 1, 0, 0.4f);
    single.addKey({7, q});
    single.prepare();
    expectNear(single.keys()[0].value, q, 0);
}

}  // namespace

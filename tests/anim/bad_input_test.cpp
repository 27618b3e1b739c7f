// Defined results for NaN and infinite times, unsorted tracks and degenerate
// rotation keys.
#include <cmath>
#include <limits>

#include "anim/track_kinds.h"
#include "d3dx/math_expectations.h"

namespace {

const float kNaN = std::numeric_limits<float>::quiet_NaN();
const float kInfinity = std::numeric_limits<float>::infinity();

TEST(TrackBadInput, NaNTimeGivesTheFirstValue) {
    ScalarTrack track;
    track.addKey({0, 3});
    track.addKey({10, 7});
    EXPECT_EQ(track.evaluate(kNaN), 3);
    RotationTrack rotations;
    rotations.addKey({0, turnAbout(0, 0, 1, 1)});
    rotations.addKey({1, turnAbout(0, 0, 1, 2)});
    expectNear(rotations.evaluate(kNaN), turnAbout(0, 0, 1, 1), 0);
}

TEST(TrackBadInput, KeysWithNaNTimesSortLastAndAreNeverReached) {
    ScalarTrack track;
    track.addKey({kNaN, -999});
    track.addKey({10, 100});
    track.addKey({kNaN, -555});
    track.addKey({0, 0});
    track.sortKeys();
    EXPECT_EQ(track.keys()[0].time, 0);
    EXPECT_EQ(track.keys()[1].time, 10);
    EXPECT_TRUE(std::isnan(track.keys()[2].time) && std::isnan(track.keys()[3].time));
    EXPECT_EQ(track.keys()[2].value, -999);  // in the order added
    EXPECT_EQ(track.evaluate(-1), 0);
    EXPECT_FLOAT_EQ(track.evaluate(5), 50);
    EXPECT_EQ(track.evaluate(10), 100);
    EXPECT_EQ(track.evaluate(20), 100);
}

TEST(TrackBadInput, OnlyNaNTimesGiveTheFirstKey) {
    ScalarTrack track;
    track.addKey({kNaN, 1});
    track.addKey({kNaN, 2});
    track.sortKeys();
    for (float t : {-1.0f, 0.0f, 1.0f, kNaN}) EXPECT_EQ(track.evaluate(t), 1);
}

TEST(TrackBadInput, InfiniteTimesGiveFiniteValues) {
    ScalarTrack fromForever;
    fromForever.addKey({-kInfinity, 10});
    fromForever.addKey({5, 20});
    EXPECT_EQ(fromForever.evaluate(0), 10);
    ScalarTrack untilForever;
    untilForever.addKey({0, 10});
    untilForever.addKey({kInfinity, 20});
    EXPECT_EQ(untilForever.evaluate(1e30f), 10);
    EXPECT_EQ(untilForever.evaluate(kInfinity), 20);
}

// Camera tracks are evaluated in file order without sorting.
TEST(TrackBadInput, UnsortedTrackUsesTheKeysAsAdded) {
    ScalarTrack track;
    track.addKey({0, 0});
    track.addKey({10, 100});
    track.addKey({5, 50});
    EXPECT_FLOAT_EQ(track.evaluate(2), 20);  // first segment, 0 to 10
    EXPECT_EQ(track.evaluate(7), 50);        // at or after the last key's time
    ScalarTrack backwards;
    backwards.addKey({10, 1});
    backwards.addKey({0, 2});
    EXPECT_EQ(backwards.evaluate(5), 1);  // below the first key's time
    EXPECT_EQ(backwards.evaluate(20), 2);
}

TEST(TrackBadInput, ZeroRotationKeysGiveFiniteResults) {
    RotationTrack track;
    track.addKey({0, {0, 0, 0, 0}});
    track.addKey({1, {0, 0, 0, 0}});
    track.addKey({2, {0, 0, 0, 1}});
    track.prepare();
    for (float t : {0.5f, 1.5f}) {
        const D3DXQUATERNION q = track.evaluate(t);
        EXPECT_TRUE(std::isfinite(q.x) && std::isfinite(q.y) && std::isfinite(q.z) &&
                    std::isfinite(q.w));
    }
}

}  // namespace

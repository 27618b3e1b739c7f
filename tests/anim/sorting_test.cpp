// Sorting: ascending time, equal times in the order added, and the steps that
// equal times make.
#include <vector>

#include "anim/track_kinds.h"
#include "d3dx/math_expectations.h"

namespace {

std::vector<float> timesOf(const ScalarTrack& track) {
    std::vector<float> times;
    for (const ScalarKey& key : track.keys()) times.push_back(key.time);
    return times;
}

TEST(TrackSorting, KeysAddedOutOfOrderAreSortedAndUnsortedKeysStayAsAdded) {
    ScalarTrack track;
    for (float time : {3.0f, -1.0f, 7.5f, 0.0f}) track.addKey({time, time * 2});
    EXPECT_EQ(timesOf(track), (std::vector<float>{3, -1, 7.5f, 0}));
    KeyTrack& base = track;
    base.sortKeys();
    EXPECT_EQ(timesOf(track), (std::vector<float>{-1, 0, 3, 7.5f}));
    EXPECT_FLOAT_EQ(track.evaluate(5), 6 + (15 - 6) * (2.0f / 4.5f));
}

// Every image effect starts its position track with a default key at 0; the
// script's own key at 0 must win from time 0 on.
TEST(TrackSorting, ScriptKeyAtZeroWinsOverTheDefaultKeyFromZeroOn) {
    VectorTrack position;
    position.addKey({0, {320, 240, 0}});  // the effect's default
    position.addKey({0, {100, 100, 0}});  // setimagepos(0, layer, 100, 100)
    position.sortKeys();
    for (float t : {0.0f, 0.25f, 60.0f}) expectNear(position.evaluate(t), {100, 100, 0}, 0);

    position.addKey({10, {200, 300, 0}});
    position.sortKeys();
    expectNear(position.evaluate(0), {100, 100, 0}, 0);
    expectNear(position.evaluate(5), {150, 200, 0});
}

TEST(TrackSorting, EqualTimesKeepTheOrderAddedEvenInLongTracks) {
    ScalarTrack track;
    for (int i = 0; i < 200; ++i) track.addKey({float((i * 7) % 5), float(i)});
    track.sortKeys();
    const auto keys = track.keys();
    for (std::size_t i = 1; i < keys.size(); ++i) {
        ASSERT_LE(keys[i - 1].time, keys[i].time);
        if (keys[i - 1].time == keys[i].time) {
            ASSERT_LT(keys[i - 1].value, keys[i].value);
        }
    }
}

TEST(TrackSorting, EqualTimesMakeAStep) {
    ScalarTrack track;
    track.addKey({10, 1000});
    track.addKey({5, 50});  // first at 5: where the segment from 0 ends
    track.addKey({0, 0});
    track.addKey({5, 500});  // second at 5: where the segment to 10 starts
    track.sortKeys();
    EXPECT_FLOAT_EQ(track.evaluate(2.5f), 25);
    EXPECT_NEAR(track.evaluate(4.999f), 50, 0.01);
    EXPECT_EQ(track.evaluate(5), 500);
    EXPECT_FLOAT_EQ(track.evaluate(7.5f), 750);
}

TEST(TrackSorting, EqualTimesAtTheLastKeyStepToTheSecond) {
    ScalarTrack track;
    track.addKey({0, 0});
    track.addKey({4, 40});
    track.addKey({4, 400});
    track.sortKeys();
    EXPECT_FLOAT_EQ(track.evaluate(2), 20);
    EXPECT_EQ(track.evaluate(4), 400);
}

}  // namespace

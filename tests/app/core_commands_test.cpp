// The core script commands: argument order, truncation of layer ids, the
// clear switches, the time settings and the clear colour, and the errors
// that end the run of the script.
#include "script_fixture.h"

namespace {

using CoreCommandsTest = ScriptTest;

TEST_F(CoreCommandsTest, StartBeforeAnyLayerEndsTheRun) {
    EXPECT_FALSE(load("start(5, 0)\nreached = 1\nlayer(0, 'a')"));
    EXPECT_EQ("error: Invalid layer id for 'start'\n", errors);
    EXPECT_EQ(0, layerTable().count());
    EXPECT_EQ(0, global("reached"));
    EXPECT_FALSE(app.scriptLoaded());
}

TEST_F(CoreCommandsTest, InvalidLayerIdsNameTheirCommand) {
    EXPECT_FALSE(load("layer(0, 'a')\nstop(3, -1)"));
    EXPECT_EQ("error: Invalid layer id for 'end'\n", errors);
    EXPECT_FALSE(load("layer(0, 'a')\nclear(1, 1, 1)"));
    EXPECT_EQ("error: Invalid layer id for 'clear'\n", errors);
    EXPECT_FALSE(load("layer(0, 'a')\nstart(0, 1)"));
    EXPECT_EQ("error: Invalid layer id for 'start'\n", errors);
    EXPECT_FALSE(load("layer(0, 'a')\nstart(0, -0.5 - 1)"));
    EXPECT_FALSE(load("layer(0, 'a')\nstart(0, 1e300)"));
    EXPECT_FALSE(load("layer(0, 'a')\nstart(0, 0/0)"));
}

TEST_F(CoreCommandsTest, WorkDoneBeforeTheErrorStays) {
    EXPECT_FALSE(load("layer(0, 'a')\nstart(1, 0)\nstop(2, 7)\nlayer(0, 'b')"));
    ASSERT_EQ(1, layerTable().count());
    ASSERT_EQ(1u, layer(0).intervals.size());
    EXPECT_EQ(1.0f, layer(0).intervals[0].start);
    EXPECT_FALSE(layer(0).intervals[0].end.has_value());
}

TEST_F(CoreCommandsTest, TimeComesFirstAndLayerIdsAreTruncated) {
    ASSERT_TRUE(
        load("layer(0, 'a')\nlayer(0, 'b')\nstart(2.9, 1.7)\nstop(3.5, 1.2)\n"
             "start(-0.5, 0.9)"));
    EXPECT_TRUE(layer(0).intervals.size() == 1 && layer(0).intervals[0].start == -0.5f);
    ASSERT_EQ(1u, layer(1).intervals.size());
    EXPECT_EQ(2.9f, layer(1).intervals[0].start);
    EXPECT_EQ(3.5f, layer(1).intervals[0].end);
}

TEST_F(CoreCommandsTest, StopAndClearActOnTheLatestInterval) {
    ASSERT_TRUE(
        load("layer(0, 'a')\nstart(0, 0)\nstop(1, 0)\nstart(4, 0)\nclear(0, 1, 0)\n"
             "stop(6, 0)\nstop(7, 0)"));
    const std::vector<LayerInterval>& intervals = layer(0).intervals;
    ASSERT_EQ(2u, intervals.size());
    EXPECT_EQ(1.0f, intervals[0].end);
    EXPECT_FALSE(intervals[0].clear);
    EXPECT_EQ(7.0f, intervals[1].end);
    EXPECT_TRUE(intervals[1].clear);
}

TEST_F(CoreCommandsTest, ClearSwitchesMustBeExactlyOne) {
    ASSERT_TRUE(
        load("for i = 0, 4 do layer(0, 'l') start(0, i) end\n"
             "clear(0, 1, 0)\nclear(1, 1.0001, 1)\nclear(2, 1, 1)\nclear(3, 0, 0)\n"
             "clear(4, '1', 2)"));
    EXPECT_EQ(D3DCLEAR_TARGET, layer(0).intervals[0].clearFlags);
    EXPECT_EQ(D3DCLEAR_ZBUFFER, layer(1).intervals[0].clearFlags);
    EXPECT_EQ(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, layer(2).intervals[0].clearFlags);
    EXPECT_TRUE(layer(3).intervals[0].clear);
    EXPECT_EQ(0u, layer(3).intervals[0].clearFlags);
    EXPECT_EQ(D3DCLEAR_TARGET, layer(4).intervals[0].clearFlags);
}

TEST_F(CoreCommandsTest, StopAndClearWithoutAnIntervalChangeNothing) {
    ASSERT_TRUE(load("layer(0, 'a')\nstop(3, 0)\nclear(0, 1, 1)\nafter = 1"));
    EXPECT_TRUE(layer(0).intervals.empty());
}

TEST_F(CoreCommandsTest, TimeSettingsTakeSinglePrecisionSeconds) {
    ASSERT_TRUE(load("setstarttime(30)\nsetendtime(42.25)\nsetmusicstarttime('1.5')"));
    EXPECT_EQ(30.0f, app.startTime);
    EXPECT_EQ(42.25f, app.endTime);
    EXPECT_EQ(1.5f, app.musicStartTime);
    ASSERT_TRUE(load("setstarttime()\nsetendtime(0.1)"));
    EXPECT_EQ(0.0f, app.startTime);
    EXPECT_EQ(0.1f, app.endTime);
}

TEST_F(CoreCommandsTest, ClearColourIsArgbFromTruncatedComponents) {
    ASSERT_TRUE(load("setclearcolor(255, 0, 0, 255)"));
    EXPECT_EQ(0xffff0000u, clearColour);
    ASSERT_TRUE(load("setclearcolor(0, 0, 0, 0)"));
    EXPECT_EQ(0u, clearColour);
    ASSERT_TRUE(load("setclearcolor(18.9, 52.2, 86.7, 128.5)"));
    EXPECT_EQ(0x80123456u, clearColour);
}

TEST_F(CoreCommandsTest, ClearColourComponentsAreNotMasked) {
    ASSERT_TRUE(load("setclearcolor(256, 0, 0, 0)"));
    EXPECT_EQ(0x01000000u, clearColour);
    ASSERT_TRUE(load("setclearcolor(0, 0, -1, 0)"));
    EXPECT_EQ(0xffffffffu, clearColour);
}

TEST_F(CoreCommandsTest, ClearColourSurvivesReloads) {
    ASSERT_TRUE(load("setclearcolor(1, 2, 3, 4)"));
    ASSERT_TRUE(load("x = 1"));
    EXPECT_EQ(0x04010203u, clearColour);
}

}  // namespace

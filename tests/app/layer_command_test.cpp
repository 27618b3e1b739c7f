// The layer command: type ids searched through the module list, the ids it
// returns, its errors, and the lookup of effect parameter commands.
#include "script_fixture.h"

namespace {

using LayerCommandTest = ScriptTest;

TEST_F(LayerCommandTest, CreatesLayersOfEachTypeNumberedFromZero) {
    ASSERT_TRUE(
        load("a = layer(0, 'img')\nb = layer(2, 'scene')\nc = layer(3, 'cap')\n"
             "d = layer(2.7, 'truncated')"));
    EXPECT_EQ(0, global("a"));
    EXPECT_EQ(1, global("b"));
    EXPECT_EQ(2, global("c"));
    EXPECT_EQ(3, global("d"));
    ASSERT_EQ(4, layerTable().count());
    EXPECT_EQ(0, effect(0).typeId());
    EXPECT_EQ(2, effect(1).typeId());
    EXPECT_EQ(3, effect(2).typeId());
    EXPECT_EQ(2, effect(3).typeId());
    EXPECT_EQ("truncated", effect(3).tag);
}

TEST_F(LayerCommandTest, TypeIdsNoModuleOffersAreRejected) {
    for (const char* call : {"layer(1)", "layer(4)", "layer(-1)", "layer(0/0)", "layer(1e10)"}) {
        EXPECT_FALSE(load(std::string("after = nil\nlayer(0, 'first')\n") + call + "\nafter = 1"))
            << call;
        EXPECT_EQ("error: Invalid effect id for 'layer'\n", errors) << call;
        EXPECT_EQ(0, global("after"));
    }
}

TEST_F(LayerCommandTest, TheFirstModuleOfferingATypeMakesTheLayer) {
    TestEffectModule alsoZero{{5, 0}};
    effectModules() = {&alsoZero, &imageLike};
    ASSERT_TRUE(load("layer(0, 'x')\nlayer(5, 'y')"));
    EXPECT_EQ(0, effect(0).typeId());
    EXPECT_EQ(5, effect(1).typeId());
}

TEST_F(LayerCommandTest, RejectedInitLeavesNoLayerAndEndsTheRun) {
    EXPECT_FALSE(load("layer(0, 'kept')\nlayer(2, 'reject')\nafter = 1"));
    EXPECT_EQ("error: Failed to init effect\n", errors);
    EXPECT_EQ(0, global("after"));
    ASSERT_EQ(1, layerTable().count());
    EXPECT_EQ("kept", effect(0).tag);
    std::vector<std::string> expected = {"init0 kept", "init0 reject", "release1 reject",
                                         "destroy reject"};
    EXPECT_EQ(expected, effectLog());
}

TEST_F(LayerCommandTest, EffectsSeeInitOneOnlyAfterASuccessfulRun) {
    ASSERT_TRUE(load("layer(0, 'a')\nlayer(2, 'b')"));
    std::vector<std::string> expected = {"init0 a", "init0 b", "init1 a", "init1 b"};
    EXPECT_EQ(expected, effectLog());
    effectLog().clear();
    EXPECT_FALSE(load("layer(0, 'c')\nerror('stop here')"));
    expected = {"release1 a", "destroy a", "release1 b", "destroy b", "init0 c"};
    EXPECT_EQ(expected, effectLog());
}

TEST_F(LayerCommandTest, EffectCommandsReachOnlyEffectsOfTheirType) {
    ASSERT_TRUE(
        load("layer(0, 'img')\nlayer(2, 'scene')\n"
             "settestvalue(0, 0, 1.5)\nsettestvalue(0, 1, 9)\nsettestvalue(0, 0.9, 2.5)\n"
             "after = 1"));
    EXPECT_EQ(std::vector<float>({1.5f, 2.5f}), effect(0).values);
    EXPECT_TRUE(effect(1).values.empty());
    EXPECT_EQ(1, global("after"));
}

TEST_F(LayerCommandTest, EffectCommandsOutOfRangeEndTheRun) {
    EXPECT_FALSE(load("for i = 1, 5 do layer(0, 'l') end\nsettestvalue(0, 5, 1)\nafter = 1"));
    EXPECT_EQ("error: Invalid layer id for some effect method (out of range)\n", errors);
    EXPECT_EQ(0, global("after"));
    EXPECT_FALSE(load("layer(0, 'l')\nsettestvalue(0, -1, 1)"));
    EXPECT_EQ("error: Invalid layer id for some effect method (out of range)\n", errors);
}

}  // namespace

// tessal-check on small productions with one fault each, and on clean ones.
#include <gtest/gtest.h>

#include "check/check_tool_fixture.h"

namespace {

const std::string shownBackdrop =
    "setendtime(2)\n"
    "loadtexture(\"backdrop.jpg\")\n"
    "a = layer(0, \"backdrop.jpg\")\n"
    "start(0, a) stop(2, a)\n";

TEST_F(CheckTool, CleanProductionPassesInBothModes) {
    copySample("backdrop.jpg");
    write("data/script.lua", shownBackdrop);
    CheckRun unpacked = check();
    EXPECT_EQ(unpacked.exitCode, 0) << unpacked.output;
    EXPECT_TRUE(unpacked.problems.empty());
    pack("script.lua backdrop.jpg");
    CheckRun packed = check();
    EXPECT_EQ(packed.exitCode, 0) << packed.output;
    EXPECT_NE(packed.output.find("\"mode\":\"packed\""), std::string::npos);
}

TEST(SampleProduction, ChecksClean) {
    CheckRun run = checkFolder(TESSAL_SOURCE_DIR "/demo", "--json");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("\"problems\":[]"), std::string::npos) << run.output;
}

TEST_F(CheckTool, ScriptErrorsGiveMessageAndLine) {
    write("data/script.lua", "setendtime(1)\n\nloadtexture()\n");
    CheckRun run = check("");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.output, "script.lua:3: script-error script.lua: Bad params for loadtexture\n");
    write("data/script.lua", "x = 1\ny = = 2\n");
    run = check();
    EXPECT_EQ(run.problems.size(), 1u);
    EXPECT_NE(run.output.find("\"line\":2"), std::string::npos) << run.output;
}

TEST_F(CheckTool, FailedLoadsAreReported) {
    write("data/bad.png", "not an image");
    write("data/script.lua",
          "loadtexture(\"bad.png\")\nloady3d(\"none.y3d\")\nloadmusic(\"data/none.ogg\")\n");
    CheckRun run = check();
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(hasProblem(run, "texture-load", "bad.png")) << run.output;
    EXPECT_TRUE(hasProblem(run, "scene-load", "none.y3d")) << run.output;
    EXPECT_TRUE(hasProblem(run, "music-load", "data/none.ogg")) << run.output;
    EXPECT_EQ(run.problems.size(), 3u);
}

TEST_F(CheckTool, LayersNamingWhatWasNeverLoaded) {
    write("data/script.lua",
          "a = layer(0, \"none.png\") start(0, a)\n"
          "b = layer(0, \"none.png\") start(0, b)\n"
          "c = layer(3, \"nocapture\", 0) start(0, c)\n"
          "d = layer(2, \"none.y3d\", \"Camera\")\n");
    CheckRun run = check();
    EXPECT_EQ(run.exitCode, 1);
    // Two layers naming the same texture are one problem.
    EXPECT_EQ(run.problems, (decltype(run.problems){{"missing-texture", "none.png"},
                                                    {"missing-texture", "nocapture"},
                                                    {"missing-scene", "none.y3d"},
                                                    {"script-error", "script.lua"}}));
}

TEST_F(CheckTool, SceneLayerWithoutSuchCamera) {
    copySample("scene.y3d");
    write("data/script.lua", "loady3d(\"scene.y3d\")\nd = layer(2, \"scene.y3d\", \"Nope\")\n");
    EXPECT_TRUE(hasProblem(check(), "missing-camera", "Nope"));
    // A scene layer given nothing at all names no scene and no camera.
    write("data/script.lua", "d = layer(2)\n");
    EXPECT_TRUE(hasProblem(check(), "missing-camera", ""));
}

TEST_F(CheckTool, LayersNeverDrawnBetweenStartAndEnd) {
    write("data/script.lua",
          "setstarttime(1) setendtime(3)\n"
          "a = layer(0) start(3.5, a)\n"                   // after the end
          "b = layer(0) start(0, b) stop(0.5, b)\n"        // before the start
          "c = layer(0)\n"                                 // never started
          "d = layer(0) start(2.96, d) stop(2.97, d)\n");  // between two frames
    CheckRun run = check();
    EXPECT_EQ(run.problems, (decltype(run.problems){{"never-active", "layer 0"},
                                                    {"never-active", "layer 1"},
                                                    {"never-active", "layer 2"}}));
}

TEST_F(CheckTool, PackedModeMissingAndUnusedMembers) {
    copySample("backdrop.jpg");
    write("data/extra.txt", "never read");
    write("data/script.lua", shownBackdrop + "loadtexture(\"Sub\\\\Missing.png\")\n");
    pack("script.lua backdrop.jpg extra.txt");
    CheckRun run = check();
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.problems, (decltype(run.problems){{"missing-member", "Sub\\\\Missing.png"},
                                                    {"unused-member", "extra.txt"}}));
}

TEST_F(CheckTool, UsageErrorsExitWithTwo) {
    EXPECT_EQ(check("--fps 0").exitCode, 2);
    EXPECT_EQ(check("--colour").exitCode, 2);
    std::filesystem::remove_all(dir);
    EXPECT_EQ(check().exitCode, 2);
}

}  // namespace

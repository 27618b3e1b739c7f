// The player and the capture tool as a user runs them.
#include <gtest/gtest.h>

#include <filesystem>

#include "production_dir.h"

namespace {

const std::string player = std::string(TESSAL_BINARY_DIR) + "/tessal";
const std::string capture = std::string(TESSAL_BINARY_DIR) + "/tools/tessal-capture";

// A short production: the player must close by itself once 0.3 s have passed.
TEST(Player, EndsWithCodeZeroOnceTheEndTimePasses) {
    ProductionDir production;
    production.write("demo.ini", "packed 0\nsetup 0\nzb24bit 0\n");
    production.write("data/script.lua", "setendtime(0.3)\nsetclearcolor(255, 0, 0, 255)\n");
    CommandResult run = runIn(production.path, "SDL_VIDEODRIVER=offscreen timeout 20 " + player);
    EXPECT_EQ(0, run.exitCode) << run.output;
}

TEST(Player, WithoutDemoIniSaysSoAndPlaysUnpackedData) {
    ProductionDir production;
    production.write("data/script.lua", "setendtime(0.1)\n");
    CommandResult run = runIn(production.path, "SDL_VIDEODRIVER=offscreen timeout 20 " + player);
    EXPECT_EQ(0, run.exitCode) << run.output;
    EXPECT_NE(std::string::npos, run.output.find("No demo.ini, defaulting to unpacked data"));
}

TEST(Player, WithNoDisplayExitsWithMinusOneAndAMessage) {
    ProductionDir production;
    production.write("data/script.lua", "setendtime(0.1)\n");
    CommandResult run =
        runIn(production.path, "SDL_VIDEODRIVER=no-such-driver timeout 20 " + player);
    EXPECT_EQ(255, run.exitCode) << run.output;
    EXPECT_NE(std::string::npos, run.output.find("Direct3D")) << run.output;
}

TEST(CaptureTool, WritesOneFramePerStepUpToAndIncludingTheLastTime) {
    ProductionDir production;
    production.write("data/script.lua", "setendtime(5)\nsetclearcolor(0, 0, 255, 255)\n");
    CommandResult run = runIn(production.path, capture +
                                                   " . --from 1 --to 2 --fps 4 --size 64x48 "
                                                   "--out frames");
    ASSERT_EQ(0, run.exitCode) << run.output;
    for (int k = 0; k <= 4; ++k) {
        char name[32];
        std::snprintf(name, sizeof name, "frames/frame%05d.png", k);
        EXPECT_TRUE(std::filesystem::exists(production.path / name)) << name;
    }
    EXPECT_FALSE(std::filesystem::exists(production.path / "frames/frame00005.png"));
}

TEST(CaptureTool, AFailingScriptEndsTheCaptureWithCodeOne) {
    ProductionDir production;
    production.write("data/script.lua", "start(5, 0)\n");
    CommandResult run = runIn(production.path, capture + " . --to 1 --out frames");
    EXPECT_EQ(1, run.exitCode) << run.output;
    EXPECT_NE(std::string::npos, run.output.find("Invalid layer id for 'start'")) << run.output;
    EXPECT_FALSE(std::filesystem::exists(production.path / "frames/frame00000.png"));
}

TEST(CaptureTool, RejectsBadOptionsWithOneMessage) {
    ProductionDir production;
    EXPECT_EQ(2, runIn(production.path, capture + " . --fps 0").exitCode);
    EXPECT_EQ(2, runIn(production.path, capture + " . --size 10").exitCode);
    EXPECT_EQ(2, runIn(production.path, capture + " . --bogus 1").exitCode);
    EXPECT_EQ(2, runIn(production.path, capture).exitCode);
    EXPECT_EQ(0, runIn(production.path, capture + " --help").exitCode);
}

}  // namespace

// Paths that name something other than a file where a file is expected:
// a folder as demo.ini counts as no demo.ini; the tools name the path and
// the problem in one line and exit with 1.
#include <gtest/gtest.h>

#include <filesystem>

#include "production_dir.h"

namespace {

const std::string player = std::string(TESSAL_BINARY_DIR) + "/tessal";
const std::string y3d = std::string(TESSAL_BINARY_DIR) + "/tools/tessal-y3d";
const std::string pack = std::string(TESSAL_BINARY_DIR) + "/tools/tessal-pack";

TEST(NotAFile, FoldersAndFifosAreRefusedWithoutACrashOrAHang) {
    ProductionDir production;
    std::filesystem::create_directories(production.path / "demo.ini");
    production.write("data/script.lua", "setendtime(0.1)\n");
    const CommandResult played =
        runIn(production.path, "SDL_VIDEODRIVER=offscreen timeout 20 " + player);
    EXPECT_EQ(played.exitCode, 0) << played.output;
    EXPECT_NE(played.output.find("No demo.ini, defaulting to unpacked data"), std::string::npos);

    const CommandResult folder = runIn(production.path, "timeout 20 " + y3d + " info data");
    EXPECT_EQ(folder.exitCode, 1);
    EXPECT_EQ(folder.output, "tessal-y3d: data: not a regular file\n");
    const CommandResult fifo =
        runIn(production.path, "mkfifo pipe.y3d && timeout 20 " + y3d + " info pipe.y3d");
    EXPECT_EQ(fifo.exitCode, 1) << "a FIFO must not be waited on";
    EXPECT_EQ(fifo.output, "tessal-y3d: pipe.y3d: not a regular file\n");

    const CommandResult script = runIn(
        production.path, "rm data/script.lua && mkfifo data/script.lua && timeout 20 " +
                             std::string(TESSAL_BINARY_DIR) + "/tools/tessal-capture . --out f");
    EXPECT_EQ(script.exitCode, 1) << "a script that is a FIFO fails the run: " << script.output;
    EXPECT_NE(script.output.find("cannot read data/script.lua"), std::string::npos)
        << script.output;

    const CommandResult packed = runIn(production.path, "timeout 20 " + pack + " pack data data");
    EXPECT_EQ(packed.exitCode, 1);
    EXPECT_EQ(packed.output, "tessal-pack: cannot write data: it is a folder\n");
}

// Every file a script names may be a folder or a FIFO: each is refused with
// its loader's message and the demo plays on.
TEST(NotAFile, ResourcesThatAreFoldersOrFifosAreRefusedAndTheDemoPlays) {
    ProductionDir production;
    std::filesystem::create_directories(production.path / "data" / "folder.png");
    std::filesystem::create_directories(production.path / "data" / "folder.y3d");
    production.write("data/script.lua",
                     "setendtime(0.2)\nloadtexture('folder.png') loadtexture('pipe.png')\n"
                     "loady3d('folder.y3d') loady3d('pipe.y3d')\n"
                     "loadmusic('data/folder.y3d') loadmusic('data/pipe.ogg')\n");
    const CommandResult run = runIn(production.path,
                                    "mkfifo data/pipe.png data/pipe.y3d data/pipe.ogg && "
                                    "SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy timeout 20 " +
                                        player);
    EXPECT_EQ(run.exitCode, 0) << "no crash and no wait on a FIFO: " << run.output;
    for (const char* line : {"Failed to load texture folder.png", "Failed to load texture pipe.png",
                             "Couldn't open scene data/folder.y3d, does file exist?",
                             "Couldn't open scene data/pipe.y3d, does file exist?"})
        EXPECT_NE(run.output.find(line), std::string::npos) << line << "\n" << run.output;
}

}  // namespace

// Packed mode end to end: a production packed with tessal-pack plays from
// data.rar; without the archive the script load says so and nothing runs.
#include <gtest/gtest.h>

#include "production_dir.h"

namespace {

const std::string player = std::string(TESSAL_BINARY_DIR) + "/tessal";
const std::string pack = std::string(TESSAL_BINARY_DIR) + "/tools/tessal-pack";

TEST(PackedPlayer, PlaysTheScriptFromTheArchive) {
    ProductionDir production;
    production.write("src/script.lua", "setendtime(0.2)\n");
    production.write("demo.ini", "packed 1\n");
    ASSERT_EQ(0, runIn(production.path, pack + " pack data.rar src").exitCode);
    CommandResult run = runIn(production.path, "timeout 20 " + player);
    EXPECT_EQ(0, run.exitCode) << run.output;
    EXPECT_EQ(std::string::npos, run.output.find("Failed to unpack")) << run.output;
}

TEST(PackedPlayer, WithoutTheArchiveTheScriptIsNotRunAndTheDemoIdles) {
    ProductionDir production;
    production.write("demo.ini", "packed 1\n");
    production.write("data/script.lua", "setendtime(0.2)\n");  // never read in packed mode
    CommandResult run = runIn(production.path, "timeout 3 " + player);
    EXPECT_EQ(124, run.exitCode) << run.output;  // still idle when the timeout ends it
    EXPECT_NE(std::string::npos, run.output.find("Failed to unpack script.lua")) << run.output;
}

TEST(PackedPlayer, AWrongPasswordCannotBeRead) {
    ProductionDir production;
    production.write("src/script.lua", "setendtime(0.2)\n");
    production.write("demo.ini", "packed 1\n");
    ASSERT_EQ(0, runIn(production.path, pack + " pack --password other data.rar src").exitCode);
    CommandResult run = runIn(production.path, "timeout 3 " + player);
    EXPECT_NE(0, run.exitCode);
    EXPECT_NE(std::string::npos, run.output.find("Failed to unpack script.lua")) << run.output;
}

}  // namespace

// Loading the script in both modes, reloading into the same state, and the
// watcher that notices an edited script.
#include <chrono>
#include <thread>

#include "script_fixture.h"

namespace {

using ScriptHostTest = ScriptTest;

TEST_F(ScriptHostTest, ReloadKeepsGlobalsTheScriptNoLongerSets) {
    ASSERT_TRUE(load("kept = 5\nlayer(0, 'a')"));
    ASSERT_TRUE(load("if kept then seen = kept end"));
    EXPECT_EQ(5, global("seen"));
    EXPECT_EQ(0, layerTable().count());
}

TEST_F(ScriptHostTest, ScriptNameIsFoundWhateverItsCase) {
    production.write("Script.LUA", "found = 1");
    EXPECT_TRUE(loadWrittenScript());
    EXPECT_EQ(1, global("found"));
}

TEST_F(ScriptHostTest, MissingScriptFailsWithTheEnginesReport) {
    EXPECT_FALSE(loadWrittenScript());
    EXPECT_EQ("error: cannot read data/script.lua\n", errors);
    EXPECT_FALSE(app.scriptLoaded());
}

TEST_F(ScriptHostTest, SyntaxErrorsFailTheLoadAndNameTheScript) {
    EXPECT_FALSE(load("layer(0, 'a')\nx = = 2"));
    EXPECT_EQ(0u, errors.find("error: data/script.lua:2:")) << errors;
    EXPECT_EQ(0, layerTable().count());
}

TEST_F(ScriptHostTest, FailedLoadKeepsItsLayersUnprepared) {
    EXPECT_FALSE(load("layer(0, 'a')\nstart(0, 0)\nerror('late')"));
    EXPECT_EQ("error: late\n", errors);
    ASSERT_EQ(1, layerTable().count());
    EXPECT_EQ(std::vector<std::string>{"init0 a"}, effectLog());
    ASSERT_TRUE(load("x = 1"));
    EXPECT_EQ(0, layerTable().count());
}

TEST_F(ScriptHostTest, PackedModeWithoutArchiveRunsNothing) {
    production.writeScript("layer(0, 'a')");
    DataAccess::unpackedMode = false;
    testing::internal::CaptureStdout();
    EXPECT_FALSE(loadWrittenScript());
    EXPECT_EQ("Failed to unpack script.lua\n", testing::internal::GetCapturedStdout());
    EXPECT_EQ(0, layerTable().count());
    EXPECT_FALSE(app.scriptLoaded());
}

// Waits up to a second for the watcher to set the flag.
bool reloadRequestedSoon(ScriptHost& host) {
    for (int i = 0; i < 100 && !host.reloadRequested; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return host.reloadRequested;
}

TEST_F(ScriptHostTest, WatcherRequestsAReloadOnlyWhenTheScriptChanges) {
    ASSERT_TRUE(load("x = 1"));
    app.scriptHost.recordScriptStatus();
    app.scriptHost.reloadRequested = false;
    ASSERT_EQ(S_OK, app.scriptHost.startWatcher());
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
    EXPECT_FALSE(app.scriptHost.reloadRequested);
    production.writeScript("x = 2");
    EXPECT_TRUE(reloadRequestedSoon(app.scriptHost));
}

TEST_F(ScriptHostTest, WatcherNoticesAScriptThatAppearsOrGoesAway) {
    app.scriptHost.recordScriptStatus();
    app.scriptHost.reloadRequested = false;
    ASSERT_EQ(S_OK, app.scriptHost.startWatcher());
    production.writeScript("x = 1");
    EXPECT_TRUE(reloadRequestedSoon(app.scriptHost));
    app.scriptHost.recordScriptStatus();
    app.scriptHost.reloadRequested = false;
    std::filesystem::remove(production.dir / "data" / "script.lua");
    EXPECT_TRUE(reloadRequestedSoon(app.scriptHost));
}

}  // namespace

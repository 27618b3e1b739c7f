// Running chunks: results, reloading into the same state, registered
// commands, the first '#' line of a file, and what the layer refuses.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "platform/lua4/lua_state_fixture.h"

namespace {

int calls = 0;
int countCall(lua_State* L) {
    ++calls;
    lua4::lua_pushnumber(L, lua4::lua_gettop(L));
    return 1;
}

class ChunksTest : public LuaStateTest {
  protected:
    std::filesystem::path writeFile(const std::string& contents) {
        std::filesystem::path path = std::filesystem::temp_directory_path() /
                                     ("lua4_chunk_" + std::to_string(getpid()) + ".lua");
        std::ofstream(path, std::ios::binary) << contents;
        return path;
    }
};

TEST_F(ChunksTest, ChunkResultsArePushed) {
    int top = lua4::lua_gettop(L);
    ASSERT_EQ(0, lua4::lua_dostring(L, "return 7, 'x'"));
    ASSERT_EQ(top + 2, lua4::lua_gettop(L));
    EXPECT_EQ(7, lua4::lua_tonumber(L, -2));
    EXPECT_STREQ("x", lua4::lua_tostring(L, -1));
}

TEST_F(ChunksTest, ReloadInTheSameStateKeepsGlobals) {
    ASSERT_EQ(0, run("kept = 5\nchanged = 1"));
    ASSERT_EQ(0, run("changed = 2"));
    EXPECT_EQ(5, number("kept"));
    EXPECT_EQ(2, number("changed"));
}

TEST_F(ChunksTest, RegisteredFunctionsAreGlobalsGettingTheirArguments) {
    calls = 0;
    lua4::lua_register(L, "count", countCall);
    ASSERT_EQ(0, run("n = count(1, 2, 3)\nm = count()"));
    EXPECT_EQ(2, calls);
    EXPECT_EQ(3, number("n"));
    EXPECT_EQ(0, number("m"));
}

TEST_F(ChunksTest, DofileRunsAFileWithAHashLineKeepingLineNumbers) {
    collectErrorReports();
    std::filesystem::path path = writeFile("#!/usr/bin/lua\nvalue = 3\nerror(nil + 1)\n");
    EXPECT_NE(0, lua4::lua_dofile(L, path.c_str()));
    EXPECT_EQ(3, number("value"));
    EXPECT_NE(std::string::npos, text("reports")->find(":3:")) << *text("reports");
    std::filesystem::remove(path);
}

TEST_F(ChunksTest, MissingFileIsReportedAndFails) {
    collectErrorReports();
    EXPECT_EQ(lua4::ERRFILE, lua4::lua_dofile(L, "/nonexistent/script.lua"));
    EXPECT_EQ("cannot read /nonexistent/script.lua\n", text("reports"));
}

TEST_F(ChunksTest, PrecompiledChunksAreRefused) {
    collectErrorReports();
    const char bytecode[] = "\033Lua\x51\x00\x01\x04\x08\x04\x08\x00";
    EXPECT_EQ(lua4::ERRSYNTAX, lua4::lua_dobuffer(L, bytecode, sizeof bytecode, "bin"));
    EXPECT_EQ("bin: precompiled chunks are not supported\n", text("reports"));
}

TEST_F(ChunksTest, OnlyTheBaseAndMathGlobalsAreVisible) {
    ASSERT_EQ(0, run("seen = ''\n"
                     "if string then seen = seen .. 'string ' end\n"
                     "if table then seen = seen .. 'table ' end\n"
                     "if io then seen = seen .. 'io ' end\n"
                     "if os then seen = seen .. 'os ' end\n"
                     "if math then seen = seen .. 'math ' end\n"
                     "if pairs then seen = seen .. 'pairs ' end\n"
                     "if require then seen = seen .. 'require ' end\n"
                     "if print and sin and PI then seen = seen .. 'ok' end"));
    EXPECT_EQ("ok", text("seen"));
}

}  // namespace

// Runs 4.0 scripts through the real host (lua_dobuffer on a state with the
// base and math libraries) or, for the dialect switches, translated with
// chosen switches straight onto Lua 5.1; collects what they print and the
// messages that reach _ERRORMESSAGE.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/lua4/errors.h"
#include "platform/lua4/frontend/translate.h"
#include "platform/lua4/lib/chunk_binding.h"
#include "platform/lua4/lua4.h"
#include "platform/lua4/lua51.h"

class Script40Test : public ::testing::Test {
  protected:
    void SetUp() override {
        L = lua4::lua_open(0);
        lua4::lua_baselibopen(L);
        lua4::lua_mathlibopen(L);
    }
    void TearDown() override { lua4::lua_close(L); }

    int run(const std::string& script, const char* name = "script.lua") {
        int top = ::lua_gettop(L);
        int status = lua4::lua_dobuffer(L, script.data(), script.size(), name);
        ::lua_settop(L, top);
        return status;
    }

    // What a script that must succeed prints.
    std::string output(const std::string& script) {
        testing::internal::CaptureStdout();
        int status = run(script);
        std::string printed = testing::internal::GetCapturedStdout();
        EXPECT_EQ(0, status) << script;
        return printed;
    }

    // Translates with the given switches, compiles and runs on Lua 5.1,
    // reporting errors as the host does. Returns the status (the 5.1 load
    // status when the translation does not compile).
    int runWith(const lua4::frontend::DialectSwitches& switches, const std::string& script) {
        auto translation = lua4::frontend::translateChunk40(script, "script.lua", switches);
        if (!translation.ok) return LUA_ERRSYNTAX;
        int top = ::lua_gettop(L);
        const std::string& source = translation.source;
        int status = ::luaL_loadbuffer(L, source.data(), source.size(), "=script.lua");
        if (status == 0) status = lua4::bindChunk40(L);
        if (status == 0) {
            ::lua_pushcclosure(L, lua4::errorHandler, 0);
            ::lua_insert(L, -2);
            status = ::lua_pcall(L, 0, 0, -2);
        }
        ::lua_settop(L, top);
        return status;
    }

    std::string outputWith(const lua4::frontend::DialectSwitches& switches,
                           const std::string& script) {
        testing::internal::CaptureStdout();
        int status = runWith(switches, script);
        std::string printed = testing::internal::GetCapturedStdout();
        EXPECT_EQ(0, status) << script;
        return printed;
    }

    // From now on reports go to the global `reports`, each in [brackets].
    void collectReports() {
        ASSERT_EQ(0, run("reports = ''\n"
                         "function _ERRORMESSAGE(m) reports = reports .. '[' .. m .. ']' end"));
    }

    std::string global(const char* name) {
        lua4::lua_getglobal(L, name);
        const char* text = lua4::lua_tostring(L, -1);
        std::string value = text ? text : "(not a string)";
        ::lua_settop(L, -2);
        return value;
    }

    lua_State* L = nullptr;
};

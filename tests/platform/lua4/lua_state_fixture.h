// A fresh Lua 4.0 state with the base and math libraries, and helpers to
// run source and read globals back.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>

#include "platform/lua4/lua4.h"

class LuaStateTest : public ::testing::Test {
  protected:
    void SetUp() override {
        L = lua4::lua_open(0);
        lua4::lua_baselibopen(L);
        lua4::lua_mathlibopen(L);
    }
    void TearDown() override { lua4::lua_close(L); }

    int run(const std::string& source, const char* name = "test.lua") {
        int top = lua4::lua_gettop(L);
        int status = lua4::lua_dobuffer(L, source.data(), source.size(), name);
        lua4::lua_settop(L, top);
        return status;
    }

    double number(const char* global) {
        lua4::lua_getglobal(L, global);
        double value = lua4::lua_tonumber(L, -1);
        lua4::lua_settop(L, -2);
        return value;
    }

    std::optional<std::string> text(const char* global) {
        lua4::lua_getglobal(L, global);
        const char* value = lua4::lua_tostring(L, -1);
        std::optional<std::string> result;
        if (value) result = value;
        lua4::lua_settop(L, -2);
        return result;
    }

    // Routes error reports into the global `reports`, one per line.
    void collectErrorReports() {
        ASSERT_EQ(0, run("reports = ''\n"
                         "function _ERRORMESSAGE(m) reports = reports .. m .. '\\n' end"));
    }

    lua_State* L = nullptr;
};

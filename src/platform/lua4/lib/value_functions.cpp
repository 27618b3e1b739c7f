#include "platform/lua4/lib/value_functions.h"

#include <cstdio>

#include "platform/lua4/lib/arguments.h"
#include "platform/lua4/library_support.h"
#include "platform/lua4/numeral.h"

namespace lua4 {

const char* typeName40(lua_State* L, int index) {
    switch (::lua_type(L, index)) {
        case LUA_TNONE:
        case LUA_TNIL:
            return "nil";
        case LUA_TBOOLEAN:
            return ::lua_toboolean(L, index) ? "number" : "nil";
        case LUA_TNUMBER:
            return "number";
        case LUA_TSTRING:
            return "string";
        case LUA_TTABLE:
            return "table";
        case LUA_TFUNCTION:
            return "function";
        default:
            return "userdata";
    }
}

void pushText40(lua_State* L, int index) {
    switch (::lua_type(L, index)) {
        case LUA_TNUMBER:
            // Lua 5.1 converts with "%.14g" too; converting a copy leaves the
            // value itself a number.
            ::lua_pushvalue(L, index);
            ::lua_tolstring(L, -1, nullptr);
            return;
        case LUA_TSTRING:
            ::lua_pushvalue(L, index);
            return;
        case LUA_TNONE:
        case LUA_TNIL:
            ::lua_pushstring(L, "nil");
            return;
        case LUA_TBOOLEAN:
            ::lua_pushstring(L, ::lua_toboolean(L, index) ? "1" : "nil");
            return;
        default:
            ::lua_pushfstring(L, "%s: %p", typeName40(L, index), ::lua_topointer(L, index));
    }
}

int type40(lua_State* L) {
    checkValue(L, 1, "type");
    ::lua_pushstring(L, typeName40(L, 1));
    return 1;
}

int tostring40(lua_State* L) {
    checkValue(L, 1, "tostring");
    pushText40(L, 1);
    return 1;
}

namespace {

// Base 10 reads decimal numerals (fraction and exponent allowed); other
// bases read unsigned integers.
int tonumberInBase(lua_State* L, int base) {
    const char* text = checkText(L, 1, "tonumber");
    double value = 0;
    if (parseBasedInteger(text, base, value)) {
        ::lua_pushnumber(L, value);
    } else {
        ::lua_pushnil(L);
    }
    return 1;
}

}  // namespace

int tonumber40(lua_State* L) {
    checkValue(L, 1, "tonumber");
    double base = lua_isnoneornil(L, 2) ? 10 : checkNumber(L, 2, "tonumber");
    if (!(base >= 2 && base <= 36)) argumentError(L, 2, "tonumber", "base out of range");
    if (static_cast<int>(base) != 10) return tonumberInBase(L, static_cast<int>(base));
    if (lua4::lua_isnumber(L, 1)) {
        ::lua_pushnumber(L, lua4::lua_tonumber(L, 1));
    } else {
        ::lua_pushnil(L);
    }
    return 1;
}

// Each argument goes through the global tostring, as in 4.0, so a script
// that redefines tostring changes what print writes.
int print40(lua_State* L) {
    int count = ::lua_gettop(L);
    ::lua_getfield(L, LUA_GLOBALSINDEX, "tostring");
    for (int i = 1; i <= count; ++i) {
        ::lua_pushvalue(L, -1);
        ::lua_pushvalue(L, i);
        ::lua_call(L, 1, 1);
        std::size_t length = 0;
        const char* text = ::lua_tolstring(L, -1, &length);
        if (!text) lua4::lua_error(L, "'tostring' must return a string to 'print'");
        if (i > 1) std::fputc('\t', stdout);
        std::fwrite(text, 1, length, stdout);
        popValues(L, 1);
    }
    std::fputc('\n', stdout);
    return 0;
}

}  // namespace lua4

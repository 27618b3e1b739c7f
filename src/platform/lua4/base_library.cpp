// The Lua 4.0 base library. So far the part the engine's own use needs:
// _ALERT, _ERRORMESSAGE, print, error, type, tostring and tonumber.
#include <cstdio>

#include "platform/lua4/library_support.h"
#include "platform/lua4/lua4.h"
#include "platform/lua4/lua51.h"
#include "platform/lua4/numeral.h"

namespace lua4 {

namespace {

// Pushes the text tostring gives for the value at index.
void pushTextOf(lua_State* L, int index) {
    switch (::lua_type(L, index)) {
        case LUA_TNUMBER:
        case LUA_TSTRING:
            ::lua_pushvalue(L, index);
            ::lua_tolstring(L, -1, nullptr);
            break;
        case LUA_TNIL:
            ::lua_pushstring(L, "nil");
            break;
        case LUA_TBOOLEAN:
            ::lua_pushstring(L, ::lua_toboolean(L, index) ? "true" : "false");
            break;
        default:
            ::lua_pushfstring(L, "%s: %p", luaL_typename(L, index), ::lua_topointer(L, index));
    }
}

void writeText(lua_State* L, int index, std::FILE* stream) {
    std::size_t length = 0;
    const char* text = ::lua_tolstring(L, index, &length);
    std::fwrite(text, 1, length, stream);
}

int alert(lua_State* L) {
    if (!lua4::lua_isstring(L, 1)) argumentError(L, 1, "_ALERT", "string expected");
    writeText(L, 1, stderr);
    return 0;
}

// The default report: the message, through whatever _ALERT is now.
int errorMessage(lua_State* L) {
    const char* message = lua_tostring(L, 1);
    lua_getglobal(L, "_ALERT");
    if (!lua_isfunction(L, -1)) return 0;
    ::lua_pushfstring(L, "error: %s\n", message ? message : "(no message)");
    ::lua_call(L, 1, 0);
    return 0;
}

int print(lua_State* L) {
    int count = ::lua_gettop(L);
    for (int i = 1; i <= count; ++i) {
        if (i > 1) std::fputc('\t', stdout);
        pushTextOf(L, i);
        writeText(L, -1, stdout);
        popValues(L, 1);
    }
    std::fputc('\n', stdout);
    return 0;
}

int error(lua_State* L) {
    lua_error(L, lua_tostring(L, 1));
}

int type(lua_State* L) {
    if (::lua_type(L, 1) == LUA_TNONE) argumentError(L, 1, "type", "value expected");
    ::lua_pushstring(L, luaL_typename(L, 1));
    return 1;
}

int tostring(lua_State* L) {
    if (::lua_type(L, 1) == LUA_TNONE) argumentError(L, 1, "tostring", "value expected");
    pushTextOf(L, 1);
    return 1;
}

int tonumberInBase(lua_State* L, double base) {
    if (!(base >= 2 && base <= 36)) argumentError(L, 2, "tonumber", "base out of range");
    const char* text = lua_tostring(L, 1);
    double value = 0;
    if (text && parseBasedInteger(text, static_cast<int>(base), value))
        ::lua_pushnumber(L, value);
    else
        ::lua_pushnil(L);
    return 1;
}

int tonumber(lua_State* L) {
    if (!lua_isnoneornil(L, 2)) return tonumberInBase(L, checkNumber(L, 2, "tonumber"));
    if (lua4::lua_isnumber(L, 1))
        ::lua_pushnumber(L, lua4::lua_tonumber(L, 1));
    else
        ::lua_pushnil(L);
    return 1;
}

constexpr LibraryFunction baseFunctions[] = {
    {"_ALERT", alert}, {"_ERRORMESSAGE", errorMessage}, {"print", print},       {"error", error},
    {"type", type},    {"tostring", tostring},          {"tonumber", tonumber},
};

}  // namespace

void lua_baselibopen(lua_State* L) {
    registerAll(L, baseFunctions);
}

}  // namespace lua4

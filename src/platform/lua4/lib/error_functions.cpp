#include "platform/lua4/lib/error_functions.h"

#include <cstdio>
#include <cstring>

#include "platform/lua4/errors.h"
#include "platform/lua4/lib/arguments.h"
#include "platform/lua4/lib/table_functions.h"
#include "platform/lua4/library_support.h"

namespace lua4 {

int alert40(lua_State* L) {
    std::size_t length = 0;
    checkText(L, 1, "_ALERT");
    const char* text = ::lua_tolstring(L, 1, &length);
    std::fwrite(text, 1, length, stderr);
    return 0;
}

// The default report: "error: " and the message, through whatever _ALERT
// holds now.
int errorMessage40(lua_State* L) {
    const char* message = lua4::lua_tostring(L, 1);
    ::lua_getfield(L, LUA_GLOBALSINDEX, "_ALERT");
    if (!lua_isfunction(L, -1)) return 0;
    ::lua_pushfstring(L, "error: %s\n", message ? message : "(no message)");
    ::lua_call(L, 1, 0);
    return 0;
}

// error(message): reports the message unchanged (no position added) and
// ends the innermost protected call; error() or error(nil) reports nothing.
int error40(lua_State* L) {
    if (lua_isnoneornil(L, 1)) lua4::lua_error(L, nullptr);
    lua4::lua_error(L, checkText(L, 1, "error"));
}

// assert(v [, message]) returns nothing when v is not nil.
int assert40(lua_State* L) {
    checkValue(L, 1, "assert");
    if (::lua_toboolean(L, 1)) return 0;
    const char* message = lua4::lua_tostring(L, 2);
    ::lua_pushfstring(L, "assertion failed!  %s", message ? message : "");
    lua4::lua_error(L, ::lua_tolstring(L, -1, nullptr));
}

namespace {

constexpr int function = 1;
constexpr int arguments = 2;
constexpr int mode = 3;
constexpr int handler = 4;
// Where call keeps the _ERRORMESSAGE it replaced.
constexpr int savedHandler = 5;

void setErrorMessageHandler(lua_State* L, int index) {
    ::lua_pushvalue(L, index);
    ::lua_setfield(L, LUA_GLOBALSINDEX, "_ERRORMESSAGE");
}

// The number of arguments to pass, with room for them on the stack.
int argumentCount(lua_State* L) {
    int count = tableSize(L, arguments);
    if (count < 0) count = 0;
    ::luaL_checkstack(L, count + 3, "too many arguments to 'call'");
    return count;
}

// Pushes func and arg[1..count] and calls them protected; returns the
// status with the results, or the error object, above base.
int protectedCall(lua_State* L, int base, int count) {
    ::lua_pushcclosure(L, errorHandler, 0);
    ::lua_pushvalue(L, function);
    for (int i = 1; i <= count; ++i) ::lua_rawgeti(L, arguments, i);
    int status = ::lua_pcall(L, count, LUA_MULTRET, base + 1);
    ::lua_remove(L, base + 1);
    return status;
}

}  // namespace

// call(func, arg [, mode [, errhandler]]): func(arg[1], ..., arg[n]). With
// "x" in mode an error gives a single nil instead of spreading. With a
// handler argument (nil included) that is _ERRORMESSAGE while func runs.
int call40(lua_State* L) {
    checkValue(L, function, "call");
    checkTable(L, arguments, "call");
    bool catches = !lua_isnoneornil(L, mode) && std::strchr(checkText(L, mode, "call"), 'x');
    bool replacesHandler = ::lua_gettop(L) >= handler;
    ::lua_settop(L, handler);
    int count = argumentCount(L);
    ::lua_getfield(L, LUA_GLOBALSINDEX, "_ERRORMESSAGE");
    if (replacesHandler) setErrorMessageHandler(L, handler);
    int status = protectedCall(L, savedHandler, count);
    if (status == LUA_ERRMEM) reportMemoryErrorInPlace(L);
    if (replacesHandler) setErrorMessageHandler(L, savedHandler);
    if (status == 0) return ::lua_gettop(L) - savedHandler;
    if (!catches) ::lua_error(L);  // already reported: passed on as it is
    ::lua_pushnil(L);
    return 1;
}

}  // namespace lua4

#include "platform/lua4/lib/chunk_functions.h"

#include <cstdio>
#include <string>

#include "platform/lua4/lib/arguments.h"
#include "platform/lua4/library_support.h"
#include "platform/lua4/lua4.h"

namespace lua4 {

namespace {

// The chunk's results; 1 when it returned none, so that success is never
// nil; nil after an error (already reported through _ERRORMESSAGE).
int passResults(lua_State* L, int status, int top) {
    if (status != 0) {
        ::lua_settop(L, top);
        ::lua_pushnil(L);
        return 1;
    }
    int results = ::lua_gettop(L) - top;
    if (results > 0) return results;
    ::lua_pushnumber(L, 1);
    return 1;
}

int runStandardInput(lua_State* L) {
    std::string text;
    char block[4096];
    std::size_t count;
    while ((count = std::fread(block, 1, sizeof block, stdin)) > 0) text.append(block, count);
    return lua4::lua_dobuffer(L, text.data(), text.size(), "stdin");
}

}  // namespace

// dofile(filename); without a name it reads standard input.
int dofile40(lua_State* L) {
    bool named = !lua_isnoneornil(L, 1);
    if (named && ::lua_type(L, 1) != LUA_TSTRING) argumentError(L, 1, "dofile", "string expected");
    int top = ::lua_gettop(L);
    int status = named ? lua4::lua_dofile(L, ::lua_tolstring(L, 1, nullptr)) : runStandardInput(L);
    return passResults(L, status, top);
}

// dostring(text [, chunkname]).
int dostring40(lua_State* L) {
    std::size_t length = 0;
    checkText(L, 1, "dostring");
    const char* text = ::lua_tolstring(L, 1, &length);
    const char* name = lua_isnoneornil(L, 2) ? nullptr : checkText(L, 2, "dostring");
    int top = ::lua_gettop(L);
    int status = name ? lua4::lua_dobuffer(L, text, length, name) : lua4::lua_dostring(L, text);
    return passResults(L, status, top);
}

}  // namespace lua4

// The state and the plain stack calls: Lua 5.1 does these the 4.0 way.
#include "platform/lua4/lua4.h"
#include "platform/lua4/lua51.h"
#include "platform/lua4/memory_budget.h"
#include "platform/lua4/memory_limit.h"

namespace lua4 {

namespace {

// The message has already gone through _ERRORMESSAGE; returning lets Lua
// end the process with EXIT_FAILURE, as 4.0 does for an error outside any
// running chunk.
int unprotectedError(lua_State*) {
    return 0;
}

}  // namespace

lua_State* lua_open(int stacksize) {
    lua_State* L = newBudgetedState(defaultMemoryLimit());
    if (!L) return nullptr;
    ::lua_atpanic(L, unprotectedError);
    if (stacksize > 0) ::lua_checkstack(L, stacksize);
    return L;
}

void lua_close(lua_State* L) {
    closeBudgetedState(L);
}

void lua_register(lua_State* L, const char* name, lua_CFunction f) {
    lua4::lua_pushcclosure(L, f, 0);
    lua4::lua_setglobal(L, name);
}

void lua_pushcclosure(lua_State* L, lua_CFunction f, int upvalues) {
    ::lua_pushcclosure(L, f, upvalues);
}

void lua_setglobal(lua_State* L, const char* name) {
    ::lua_setfield(L, LUA_GLOBALSINDEX, name);
}

void lua_getglobal(lua_State* L, const char* name) {
    ::lua_getfield(L, LUA_GLOBALSINDEX, name);
}

int lua_gettop(lua_State* L) {
    return ::lua_gettop(L);
}

void lua_settop(lua_State* L, int index) {
    ::lua_settop(L, index);
}

void lua_pushnil(lua_State* L) {
    ::lua_pushnil(L);
}

void lua_pushnumber(lua_State* L, double n) {
    ::lua_pushnumber(L, n);
}

void lua_pushstring(lua_State* L, const char* s) {
    ::lua_pushstring(L, s);
}

}  // namespace lua4

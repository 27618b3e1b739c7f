#include "platform/lua4/lib/global_functions.h"

#include "platform/lua4/lib/arguments.h"
#include "platform/lua4/lib/tag_methods.h"
#include "platform/lua4/library_support.h"

namespace lua4 {

// getglobal(name): any string is a name; the getglobal tag method applies.
int getglobal40(lua_State* L) {
    checkText(L, 1, "getglobal");
    ::lua_settop(L, 1);
    ::lua_gettable(L, LUA_GLOBALSINDEX);
    return 1;
}

int setglobal40(lua_State* L) {
    checkText(L, 1, "setglobal");
    ::lua_settop(L, 2);
    ::lua_settable(L, LUA_GLOBALSINDEX);
    return 0;
}

namespace {

// Lua 5.1 keeps a table of globals per function: the calling function
// changes over with the state, functions made earlier keep theirs.
void replaceGlobals(lua_State* L, int table) {
    ::lua_pushvalue(L, table);
    ::lua_replace(L, LUA_GLOBALSINDEX);
    lua_Debug caller;
    if (!::lua_getstack(L, 1, &caller)) return;
    ::lua_getinfo(L, "f", &caller);
    if (!::lua_iscfunction(L, -1)) {
        ::lua_pushvalue(L, table);
        ::lua_setfenv(L, -2);
    }
    popValues(L, 1);
    applyGlobalsTagMethods(L);
}

}  // namespace

// globals([table]): the table of globals; given a table, it becomes the
// table of globals and the one it replaces is returned.
int globals40(lua_State* L) {
    bool replaces = !lua_isnone(L, 1);
    if (replaces) checkTable(L, 1, "globals");
    ::lua_pushvalue(L, LUA_GLOBALSINDEX);
    if (replaces) replaceGlobals(L, 1);
    return 1;
}

// collectgarbage([limit]): collects when limit (Kbytes, default 0) is
// below the memory in use. Lua 5.1 sets its own threshold afterwards.
int collectgarbage40(lua_State* L) {
    double limit = lua_isnoneornil(L, 1) ? 0 : checkNumber(L, 1, "collectgarbage");
    if (limit <= ::lua_gc(L, LUA_GCCOUNT, 0)) ::lua_gc(L, LUA_GCCOLLECT, 0);
    return 0;
}

}  // namespace lua4

#include "platform/lua4/lib/table_functions.h"

#include <cmath>

#include "platform/lua4/lib/arguments.h"
#include "platform/lua4/library_support.h"

namespace lua4 {

namespace {

double largestNumericKey(lua_State* L, int table) {
    double largest = 0;
    ::lua_pushnil(L);
    while (::lua_next(L, table)) {
        if (::lua_type(L, -2) == LUA_TNUMBER) largest = std::fmax(largest, ::lua_tonumber(L, -2));
        popValues(L, 1);
    }
    return largest;
}

void setSize(lua_State* L, int table, int size) {
    ::lua_pushstring(L, "n");
    ::lua_pushinteger(L, size);
    ::lua_rawset(L, table);
}

}  // namespace

int tableSize(lua_State* L, int index) {
    ::lua_pushstring(L, "n");
    ::lua_rawget(L, index);
    bool hasSize = ::lua_type(L, -1) == LUA_TNUMBER;
    double size = hasSize ? ::lua_tonumber(L, -1) : largestNumericKey(L, index);
    popValues(L, 1);
    return clampToIndex(size);
}

int next40(lua_State* L) {
    checkTable(L, 1, "next");
    ::lua_settop(L, 2);
    if (::lua_next(L, 1)) return 2;
    ::lua_pushnil(L);
    return 1;
}

int rawget40(lua_State* L) {
    checkTable(L, 1, "rawget");
    checkValue(L, 2, "rawget");
    ::lua_settop(L, 2);
    ::lua_rawget(L, 1);
    return 1;
}

int rawset40(lua_State* L) {
    checkTable(L, 1, "rawset");
    checkValue(L, 2, "rawset");
    checkValue(L, 3, "rawset");
    ::lua_settop(L, 3);
    ::lua_rawset(L, 1);
    return 0;
}

int getn40(lua_State* L) {
    checkTable(L, 1, "getn");
    ::lua_pushinteger(L, tableSize(L, 1));
    return 1;
}

// tinsert(t, value) appends; tinsert(t, pos, value) shifts t[pos..n] up.
int tinsert40(lua_State* L) {
    checkTable(L, 1, "tinsert");
    int size = tableSize(L, 1);
    int position = size + 1;
    int value = 2;
    if (::lua_gettop(L) > 2) {
        position = checkIndex(L, 2, "tinsert");
        value = 3;
    }
    setSize(L, 1, size + 1);
    for (int i = size; i >= position; --i) {
        ::lua_rawgeti(L, 1, i);
        ::lua_rawseti(L, 1, i + 1);
    }
    ::lua_pushvalue(L, value);
    ::lua_rawseti(L, 1, position);
    return 0;
}

// tremove(t [, pos]) takes out t[pos] (default the last) and shifts the
// rest down; an empty table gives nothing.
int tremove40(lua_State* L) {
    checkTable(L, 1, "tremove");
    int size = tableSize(L, 1);
    if (size <= 0) return 0;
    int position = lua_isnoneornil(L, 2) ? size : checkIndex(L, 2, "tremove");
    ::lua_settop(L, 1);
    ::lua_rawgeti(L, 1, position);
    for (int i = position; i < size; ++i) {
        ::lua_rawgeti(L, 1, i + 1);
        ::lua_rawseti(L, 1, i);
    }
    ::lua_pushnil(L);
    ::lua_rawseti(L, 1, size);
    setSize(L, 1, size - 1);
    return 1;
}

// foreach(t, f): f(k, v) for every pair until f gives a value.
int foreach40(lua_State* L) {
    checkTable(L, 1, "foreach");
    checkFunction(L, 2, "foreach");
    ::lua_settop(L, 2);
    ::lua_pushnil(L);
    while (::lua_next(L, 1)) {
        ::lua_pushvalue(L, 2);
        ::lua_pushvalue(L, -3);
        ::lua_pushvalue(L, -3);
        ::lua_call(L, 2, 1);
        if (!lua_isnil(L, -1)) return 1;
        popValues(L, 2);
    }
    return 0;
}

// foreachi(t, f): f(i, t[i]) for i = 1..getn(t), holes included.
int foreachi40(lua_State* L) {
    checkTable(L, 1, "foreachi");
    checkFunction(L, 2, "foreachi");
    ::lua_settop(L, 2);
    int size = tableSize(L, 1);
    for (int i = 1; i <= size; ++i) {
        ::lua_pushvalue(L, 2);
        ::lua_pushinteger(L, i);
        ::lua_rawgeti(L, 1, i);
        ::lua_call(L, 2, 1);
        if (!lua_isnil(L, -1)) return 1;
        popValues(L, 1);
    }
    return 0;
}

}  // namespace lua4

// The 4.0 table functions: next, rawget, rawset, getn, tinsert, tremove,
// foreach and foreachi. All of them but next and foreach work on the
// positions 1..getn(t) with raw accesses.
#pragma once

#include "platform/lua4/lua51.h"

namespace lua4 {

// getn: the field n if it is a number, otherwise the largest numeric key
// with a value (0 if none), truncated toward zero.
int tableSize(lua_State* L, int index);

int next40(lua_State* L);
int rawget40(lua_State* L);
int rawset40(lua_State* L);
int getn40(lua_State* L);
int tinsert40(lua_State* L);
int tremove40(lua_State* L);
int foreach40(lua_State* L);
int foreachi40(lua_State* L);

}  // namespace lua4

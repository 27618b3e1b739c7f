// The 4.0 functions on single values: type, tostring, tonumber and print.
// Lua 4.0 has six types; a Lua 5.1 boolean, should one ever reach a script,
// counts as the 4.0 value it stands for (true as 1, false as nil).
#pragma once

#include "platform/lua4/lua51.h"

namespace lua4 {

// One of "nil" "number" "string" "table" "function" "userdata".
const char* typeName40(lua_State* L, int index);
// Pushes the text tostring gives: numbers as "%.14g".
void pushText40(lua_State* L, int index);

int type40(lua_State* L);
int tostring40(lua_State* L);
int tonumber40(lua_State* L);
int print40(lua_State* L);

}  // namespace lua4

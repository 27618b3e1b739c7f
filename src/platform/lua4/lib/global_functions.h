// The 4.0 functions on the table of globals: getglobal, setglobal, globals
// and collectgarbage.
#pragma once

#include "platform/lua4/lua51.h"

namespace lua4 {

int getglobal40(lua_State* L);
int setglobal40(lua_State* L);
int globals40(lua_State* L);
int collectgarbage40(lua_State* L);

}  // namespace lua4

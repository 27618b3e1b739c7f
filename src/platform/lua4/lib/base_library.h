// The Lua 4.0 base library, installed as globals of a Lua 5.1 state. It is
// written against the C API only, so none of Lua 5.1's own library names
// (table, string, pairs, _G, ...) becomes visible to scripts.
#pragma once

#include "platform/lua4/lua51.h"

namespace lua4 {

void openBaseLibrary40(lua_State* L);

}  // namespace lua4

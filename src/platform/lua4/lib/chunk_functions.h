// dofile and dostring: run a chunk through the host's lua_dofile and
// lua_dobuffer, so scripts and the host report errors the same way.
#pragma once

#include "platform/lua4/lua51.h"

namespace lua4 {

int dofile40(lua_State* L);
int dostring40(lua_State* L);

}  // namespace lua4

// The 4.0 functions around errors: _ALERT, the default _ERRORMESSAGE,
// error, assert, and call with its modes and error handler.
#pragma once

#include "platform/lua4/lua51.h"

namespace lua4 {

int alert40(lua_State* L);
int errorMessage40(lua_State* L);
int error40(lua_State* L);
int assert40(lua_State* L);
int call40(lua_State* L);

}  // namespace lua4

// The real Lua 5.1 headers, for the layer's own source files only. The
// macros that share a name with a Lua 4.0 call are removed, so that
// lua4::lua_open and friends keep their meaning after this include.
#pragma once

#include <lua.hpp>

#undef lua_open
#undef lua_register
#undef lua_pushcfunction
#undef lua_setglobal
#undef lua_getglobal
#undef lua_tostring

namespace lua4 {

// lua_pop: the macro's unqualified lua_settop would be ambiguous next to
// lua4::lua_settop.
inline void popValues(lua_State* L, int count) {
    ::lua_settop(L, -count - 1);
}

}  // namespace lua4

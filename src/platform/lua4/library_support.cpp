#include "platform/lua4/library_support.h"

#include "platform/lua4/lua51.h"

namespace lua4 {

void argumentError(lua_State* L, int index, const char* function, const char* problem) {
    // The message lives on the Lua stack: lua_error leaves this frame by
    // longjmp, so it must not be held by a C++ object.
    const char* message =
        ::lua_pushfstring(L, "bad argument #%d to '%s' (%s)", index, function, problem);
    lua_error(L, message);
}

double checkNumber(lua_State* L, int index, const char* function) {
    if (!lua4::lua_isnumber(L, index)) argumentError(L, index, function, "number expected");
    return lua4::lua_tonumber(L, index);
}

}  // namespace lua4

#include "platform/lua4/lib/chunk_binding.h"

#include "platform/lua4/lib/table_functions.h"

namespace lua4 {

// The translation is called with the 4.0 `next` (for `for k, v in t`) and
// the table of globals (for the globals named `true` and `false`).
int bindChunk40(lua_State* L) {
    ::lua_pushcclosure(L, next40, 0);
    ::lua_pushvalue(L, LUA_GLOBALSINDEX);
    return ::lua_pcall(L, 2, 1, 0);
}

}  // namespace lua4

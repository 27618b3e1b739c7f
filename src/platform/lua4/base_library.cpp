// The Lua 4.0 base library: see lib/base_library.h.
#include "platform/lua4/lib/base_library.h"
#include "platform/lua4/lua4.h"

namespace lua4 {

void lua_baselibopen(lua_State* L) {
    openBaseLibrary40(L);
}

}  // namespace lua4

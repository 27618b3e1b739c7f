#include "platform/lua4/lib/base_library.h"

#include "platform/lua4/lib/chunk_functions.h"
#include "platform/lua4/lib/error_functions.h"
#include "platform/lua4/lib/global_functions.h"
#include "platform/lua4/lib/sort_function.h"
#include "platform/lua4/lib/table_functions.h"
#include "platform/lua4/lib/tag_methods.h"
#include "platform/lua4/lib/value_functions.h"
#include "platform/lua4/library_support.h"

namespace lua4 {

namespace {

constexpr LibraryFunction baseFunctions[] = {
    {"_ALERT", alert40},
    {"_ERRORMESSAGE", errorMessage40},
    {"assert", assert40},
    {"call", call40},
    {"collectgarbage", collectgarbage40},
    {"copytagmethods", copytagmethods40},
    {"dofile", dofile40},
    {"dostring", dostring40},
    {"error", error40},
    {"foreach", foreach40},
    {"foreachi", foreachi40},
    {"getglobal", getglobal40},
    {"getn", getn40},
    {"gettagmethod", gettagmethod40},
    {"globals", globals40},
    {"newtag", newtag40},
    {"next", next40},
    {"print", print40},
    {"rawget", rawget40},
    {"rawset", rawset40},
    {"setglobal", setglobal40},
    {"settag", settag40},
    {"settagmethod", settagmethod40},
    {"sort", sort40},
    {"tag", tag40},
    {"tinsert", tinsert40},
    {"tonumber", tonumber40},
    {"tostring", tostring40},
    {"tremove", tremove40},
    {"type", type40},
};

}  // namespace

void openBaseLibrary40(lua_State* L) {
    registerAll(L, baseFunctions);
    ::lua_pushstring(L, "Lua 4.0");
    ::lua_setfield(L, LUA_GLOBALSINDEX, "_VERSION");
}

}  // namespace lua4

// Fuzzes the Lua 4.0 front end with arbitrary script text. Any input must
// give a translation or a syntax error, never a crash or a hang; and every
// translation must be Lua 5.1 that compiles, unless it runs into one of
// Lua 5.1's own size limits.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <string_view>

#include <lua.hpp>

#include "platform/lua4/frontend/translate.h"

namespace {

bool isLua51Limit(const char* message) {
    for (const char* limit :
         {"too many", "more than", "too complex", "overflow", "not enough memory"}) {
        if (std::strstr(message, limit)) return true;
    }
    return false;
}

void checkCompiles(const std::string& source) {
    static lua_State* L = luaL_newstate();
    int status = luaL_loadbuffer(L, source.data(), source.size(), "=fuzz");
    if (status != 0 && !isLua51Limit(lua_tostring(L, -1))) {
        std::fprintf(stderr, "translation does not compile: %s\n%s\n", lua_tostring(L, -1),
                     source.c_str());
        std::abort();
    }
    lua_settop(L, 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view chunk(reinterpret_cast<const char*>(data), size);
    lua4::frontend::Translation translation = lua4::frontend::translateChunk40(chunk, "fuzz.lua");
    if (translation.ok) checkCompiles(translation.source);
    return 0;
}

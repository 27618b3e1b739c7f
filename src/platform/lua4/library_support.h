// Helpers shared by the 4.0 libraries: argument checks that raise 4.0
// script errors, and installing a list of functions as globals.
#pragma once

#include "platform/lua4/lua4.h"

namespace lua4 {

struct LibraryFunction {
    const char* name;
    lua_CFunction function;
};

template <int N>
void registerAll(lua_State* L, const LibraryFunction (&functions)[N]) {
    for (const LibraryFunction& f : functions) lua_register(L, f.name, f.function);
}

// Raises "bad argument #index to 'function' (problem)".
[[noreturn]] void argumentError(lua_State* L, int index, const char* function, const char* problem);

// The number at index (a numeric string counts), or an argument error.
double checkNumber(lua_State* L, int index, const char* function);

}  // namespace lua4

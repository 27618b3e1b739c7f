// A ceiling on the memory of one Lua state. A script that runs away (a
// table or a string growing without end) meets "not enough memory" at the
// ceiling, as an error of its own, instead of exhausting the machine's
// memory and taking the player down with it. The syntax tree built to
// translate a chunk is held to the same ceiling.
#pragma once

#include <cstddef>

struct lua_State;

namespace lua4 {

// The ceiling lua_open gives a new state: 1 GiB, or a quarter of the
// physical memory when that is less.
std::size_t defaultMemoryLimit();

// Changes the ceiling of a state made by lua_open. A ceiling below the
// memory already in use refuses every further growth.
void setMemoryLimit(lua_State* L, std::size_t bytes);

}  // namespace lua4

// The last step of loading a translated 4.0 chunk: the front end's output
// is a Lua 5.1 function that expects the private references its rewrites
// use (see frontend/emitter.h); this hands them over.
#pragma once

#include "platform/lua4/lua51.h"

namespace lua4 {

// Replaces the compiled translation on top of the stack with the script's
// main function. Returns 0, or a Lua 5.1 error status with the message in
// its place (only when memory runs out).
int bindChunk40(lua_State* L);

}  // namespace lua4

// The step every chunk goes through before Lua 5.1 compiles it: Lua 4.0
// source in, equivalent Lua 5.1 source out, each statement on its
// original line.
#pragma once

#include <string>
#include <string_view>

namespace lua4 {

// False on a 4.0 syntax error, with the message (naming the chunk and the
// line) in error.
bool translateChunk(std::string_view source, const char* chunkName, std::string& translated,
                    std::string& error);

}  // namespace lua4

// The step every chunk goes through before Lua 5.1 compiles it: Lua 4.0
// source in, equivalent Lua 5.1 source out, each statement on its
// original line.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lua4 {

// 0, or the status of a failed translation: ERRSYNTAX on a 4.0 syntax
// error, with the message (naming the chunk and the line) in error; ERRMEM
// when memory ran out or the syntax tree would take more than memoryLimit
// bytes, with Lua 5.1's "not enough memory".
int translateChunk(std::string_view source, const char* chunkName, std::size_t memoryLimit,
                   std::string& translated, std::string& error);

}  // namespace lua4

// The Lua 4.0 front end: the bytes of a 4.0 chunk in, Lua 5.1 source with
// the same meaning out, every statement on its original line so that Lua's
// messages name the script's own line numbers.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/lua4/frontend/dialect_switches.h"

namespace lua4::frontend {

struct Translation {
    bool ok = false;
    // The Lua 5.1 chunk. Called with the 4.0 `next` function and the table
    // of globals, it returns the script's main function (bindChunk40 in
    // lib/chunk_binding.h does this).
    std::string source;
    // On a syntax error: "chunkname:line: message".
    std::string error;
    int errorLine = 0;
    // The translation needed more memory than there was; error is then
    // "not enough memory".
    bool outOfMemory = false;
};

// What the syntax tree of one chunk may take, unless told otherwise.
constexpr std::size_t defaultTreeBudget = std::size_t{1} << 30;

// Never throws; any input gives either a translation or an error. A chunk
// whose syntax tree would take more than treeBudget bytes is refused as
// out of memory.
Translation translateChunk40(std::string_view chunk, std::string_view chunkName,
                             const DialectSwitches& switches = {},
                             std::size_t treeBudget = defaultTreeBudget);

}  // namespace lua4::frontend

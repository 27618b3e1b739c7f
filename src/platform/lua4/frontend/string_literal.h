// Writes string bytes as a Lua 5.1 quoted string that spans exactly as many
// lines as the original literal did.
#pragma once

#include <string>
#include <string_view>

namespace lua4::frontend {

// The first `lineBreaks` newline bytes are written as a backslash followed
// by a real newline, the others as "\n"; control bytes as "\ddd".
std::string quoteString(std::string_view bytes, int lineBreaks);

}  // namespace lua4::frontend

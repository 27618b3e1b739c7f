// A syntax error in a 4.0 chunk: the line it was found on and what is wrong.
// Thrown inside the front end only; translateChunk40 turns it into a message.
#pragma once

#include <string>

namespace lua4::frontend {

struct SyntaxError {
    int line;
    std::string message;
};

}  // namespace lua4::frontend

// Splits a Lua 4.0 chunk into tokens, counting lines the way 4.0 does
// (a line ends at '\n'; "\r\n" counts once).
#pragma once

#include <string_view>

#include "platform/lua4/frontend/dialect_switches.h"
#include "platform/lua4/frontend/source_reader.h"
#include "platform/lua4/frontend/token.h"

namespace lua4::frontend {

class Lexer {
  public:
    Lexer(std::string_view source, const DialectSwitches& switches);

    // The next token; throws SyntaxError on a malformed one.
    Token next();

  private:
    void skipFirstLineIfHash();
    void skipSpaceAndComments();
    void skipComment();
    bool skipBlockComment();
    void skipLine();
    void newLine();

    Token make(TokenKind kind, std::size_t start, int startLine);
    Token readName(std::size_t start);
    Token readNumber(std::size_t start);
    Token readQuoted(std::size_t start);
    void readEscape(std::string& text);
    Token readLongString(std::size_t start);
    Token readSymbol(std::size_t start);
    bool accept(int c);
    [[noreturn]] void fail(const char* message, std::size_t start);

    SourceReader in_;
    const DialectSwitches& switches_;
    int line_ = 1;
};

}  // namespace lua4::frontend

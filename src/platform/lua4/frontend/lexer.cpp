#include "platform/lua4/frontend/lexer.h"

#include <array>
#include <string>
#include <utility>

#include "platform/lua4/frontend/syntax_error.h"

namespace lua4::frontend {

namespace {

constexpr std::array<std::pair<std::string_view, TokenKind>, 19> reservedWords{{
    {"and", TokenKind::And},       {"break", TokenKind::Break},
    {"do", TokenKind::Do},         {"else", TokenKind::Else},
    {"elseif", TokenKind::Elseif}, {"end", TokenKind::EndKeyword},
    {"for", TokenKind::For},       {"function", TokenKind::Function},
    {"if", TokenKind::If},         {"in", TokenKind::In},
    {"local", TokenKind::Local},   {"nil", TokenKind::Nil},
    {"not", TokenKind::Not},       {"or", TokenKind::Or},
    {"repeat", TokenKind::Repeat}, {"return", TokenKind::Return},
    {"then", TokenKind::Then},     {"until", TokenKind::Until},
    {"while", TokenKind::While},
}};

bool isDigit(int c) {
    return c >= '0' && c <= '9';
}
bool isNameStart(int c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}
bool isNameChar(int c) {
    return isNameStart(c) || isDigit(c);
}
bool isBlank(int c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}
bool isControl(int c) {
    return (c >= 0 && c < 32) || c == 127;
}

}  // namespace

Lexer::Lexer(std::string_view source, const DialectSwitches& switches)
    : in_(source), switches_(switches) {
    skipFirstLineIfHash();
}

void Lexer::skipFirstLineIfHash() {
    if (in_.peek() == '#') skipLine();
}

void Lexer::skipLine() {
    while (!in_.atEnd() && in_.peek() != '\n') in_.skip();
}

void Lexer::newLine() {
    in_.skip();
    ++line_;
}

bool Lexer::accept(int c) {
    if (in_.peek() != c) return false;
    in_.skip();
    return true;
}

void Lexer::fail(const char* message, std::size_t start) {
    std::string near(in_.slice(start, start + 40));
    throw SyntaxError{line_, std::string(message) + " near '" + near + "'"};
}

void Lexer::skipSpaceAndComments() {
    for (;;) {
        int c = in_.peek();
        if (c == '\n') {
            newLine();
        } else if (isBlank(c)) {
            in_.skip();
        } else if (c == '-' && in_.peek(1) == '-') {
            skipComment();
        } else {
            return;
        }
    }
}

// `--` runs to the end of the line. With the 4.0 comment switch off, a
// following long bracket opens a Lua 5.1 block comment instead.
void Lexer::skipComment() {
    in_.skip(2);
    if (!switches_.dashBracketLineComment && skipBlockComment()) return;
    skipLine();
}

bool Lexer::skipBlockComment() {
    if (in_.peek() != '[') return false;
    std::size_t level = 0;
    while (in_.peek(1 + level) == '=') ++level;
    if (in_.peek(1 + level) != '[') return false;
    std::size_t start = in_.position();
    in_.skip(2 + level);
    for (;;) {
        int c = in_.peek();
        if (c == SourceReader::end) fail("unfinished long comment", start);
        if (c == '\n') {
            newLine();
            continue;
        }
        in_.skip();
        if (c != ']') continue;
        std::size_t equals = 0;
        while (in_.peek(equals) == '=') ++equals;
        if (equals == level && in_.peek(equals) == ']') {
            in_.skip(equals + 1);
            return true;
        }
    }
}

Token Lexer::make(TokenKind kind, std::size_t start, int startLine) {
    Token token;
    token.kind = kind;
    token.raw = in_.slice(start, in_.position());
    token.line = startLine;
    token.endLine = line_;
    return token;
}

Token Lexer::next() {
    skipSpaceAndComments();
    std::size_t start = in_.position();
    int c = in_.peek();
    if (c == SourceReader::end) return make(TokenKind::End, start, line_);
    if (isNameStart(c)) return readName(start);
    if (isDigit(c) || (c == '.' && isDigit(in_.peek(1)))) return readNumber(start);
    if (c == '"' || c == '\'') return readQuoted(start);
    if (c == '[' && in_.peek(1) == '[') return readLongString(start);
    if (isControl(c)) fail("invalid control character", start);
    return readSymbol(start);
}

Token Lexer::readName(std::size_t start) {
    while (isNameChar(in_.peek())) in_.skip();
    Token token = make(TokenKind::Name, start, line_);
    for (const auto& [word, kind] : reservedWords) {
        if (token.raw == word) token.kind = kind;
    }
    if (token.kind == TokenKind::Name) token.text = token.raw;
    return token;
}

// Decimal numerals only: digits, an optional fraction, an optional exponent.
Token Lexer::readNumber(std::size_t start) {
    while (isDigit(in_.peek())) in_.skip();
    if (accept('.')) {
        while (isDigit(in_.peek())) in_.skip();
        if (in_.peek() == '.') fail("malformed number", start);
    }
    if (accept('e') || accept('E')) {
        if (!accept('+')) accept('-');
        if (!isDigit(in_.peek())) fail("malformed number", start);
        while (isDigit(in_.peek())) in_.skip();
    }
    return make(TokenKind::Number, start, line_);
}

Token Lexer::readQuoted(std::size_t start) {
    int quote = in_.peek();
    int startLine = line_;
    in_.skip();
    std::string text;
    for (;;) {
        int c = in_.peek();
        if (c == SourceReader::end || c == '\n') fail("unfinished string", start);
        in_.skip();
        if (c == quote) break;
        if (c == '\\') {
            readEscape(text);
        } else {
            text += static_cast<char>(c);
        }
    }
    Token token = make(TokenKind::String, start, startLine);
    token.text = std::move(text);
    return token;
}

void Lexer::readEscape(std::string& text) {
    std::size_t start = in_.position() - 1;
    int c = in_.peek();
    switch (c) {
        case 'a':
            text += '\a';
            break;
        case 'b':
            text += '\b';
            break;
        case 'f':
            text += '\f';
            break;
        case 'n':
            text += '\n';
            break;
        case 'r':
            text += '\r';
            break;
        case 't':
            text += '\t';
            break;
        case 'v':
            text += '\v';
            break;
        case '\r':
            if (in_.peek(1) != '\n') break;
            in_.skip();
            [[fallthrough]];
        case '\n':
            text += '\n';
            newLine();
            return;
        case SourceReader::end:
            fail("unfinished string", start);
        default:
            if (isDigit(c)) {
                int value = 0;
                for (int digits = 0; digits < 3 && isDigit(in_.peek()); ++digits) {
                    value = value * 10 + (in_.peek() - '0');
                    in_.skip();
                }
                if (value > 255) fail("escape sequence too large", start);
                text += static_cast<char>(value);
                return;
            }
            text += static_cast<char>(c);
    }
    in_.skip();
}

// `[[ ... ]]`: no escapes, inner `[[ ]]` pairs nest, and every character
// after the opening brackets belongs to the string, a first newline too.
Token Lexer::readLongString(std::size_t start) {
    int startLine = line_;
    in_.skip(2);
    std::string text;
    int depth = 1;
    for (;;) {
        int c = in_.peek();
        if (c == SourceReader::end) fail("unfinished long string", start);
        if (c == '[' && in_.peek(1) == '[') {
            ++depth;
            text += "[[";
            in_.skip(2);
        } else if (c == ']' && in_.peek(1) == ']') {
            in_.skip(2);
            if (--depth == 0) break;
            text += "]]";
        } else if (c == '\n' || (c == '\r' && in_.peek(1) == '\n')) {
            if (c == '\r') in_.skip();
            text += '\n';
            newLine();
        } else {
            text += static_cast<char>(c);
            in_.skip();
        }
    }
    Token token = make(TokenKind::LongString, start, startLine);
    token.text = std::move(text);
    return token;
}

Token Lexer::readSymbol(std::size_t start) {
    int c = in_.peek();
    in_.skip();
    TokenKind kind = TokenKind::Other;
    switch (c) {
        case '=':
            kind = accept('=') ? TokenKind::Equal : TokenKind::Assign;
            break;
        case '<':
            kind = accept('=') ? TokenKind::LessEqual : TokenKind::Less;
            break;
        case '>':
            kind = accept('=') ? TokenKind::GreaterEqual : TokenKind::Greater;
            break;
        case '~':
            kind = accept('=') ? TokenKind::NotEqual : TokenKind::Other;
            break;
        case '.':
            kind = TokenKind::Dot;
            if (accept('.')) kind = accept('.') ? TokenKind::Dots : TokenKind::Concat;
            break;
        case ',':
            kind = TokenKind::Comma;
            break;
        case ';':
            kind = TokenKind::Semicolon;
            break;
        case ':':
            kind = TokenKind::Colon;
            break;
        case '(':
            kind = TokenKind::LeftParen;
            break;
        case ')':
            kind = TokenKind::RightParen;
            break;
        case '{':
            kind = TokenKind::LeftBrace;
            break;
        case '}':
            kind = TokenKind::RightBrace;
            break;
        case '[':
            kind = TokenKind::LeftBracket;
            break;
        case ']':
            kind = TokenKind::RightBracket;
            break;
        case '+':
            kind = TokenKind::Plus;
            break;
        case '-':
            kind = TokenKind::Minus;
            break;
        case '*':
            kind = TokenKind::Star;
            break;
        case '/':
            kind = TokenKind::Slash;
            break;
        case '^':
            kind = TokenKind::Caret;
            break;
        case '%':
            kind = TokenKind::Percent;
            break;
        default:
            break;
    }
    return make(kind, start, line_);
}

std::string describeToken(const Token& token) {
    if (token.kind == TokenKind::End) return "'<eof>'";
    std::string shown(token.raw.substr(0, 40));
    for (char& c : shown) {
        if (static_cast<unsigned char>(c) < 32) c = ' ';
    }
    return "'" + shown + "'";
}

}  // namespace lua4::frontend

// The tokens of Lua 4.0.
#pragma once

#include <string>
#include <string_view>

namespace lua4::frontend {

enum class TokenKind {
    End,
    Name,
    Number,
    String,
    LongString,
    // reserved words
    And,
    Break,
    Do,
    Else,
    Elseif,
    EndKeyword,
    For,
    Function,
    If,
    In,
    Local,
    Nil,
    Not,
    Or,
    Repeat,
    Return,
    Then,
    Until,
    While,
    // symbols
    Equal,
    NotEqual,
    LessEqual,
    GreaterEqual,
    Less,
    Greater,
    Assign,
    Concat,
    Dots,
    Dot,
    Comma,
    Semicolon,
    Colon,
    LeftParen,
    RightParen,
    LeftBrace,
    RightBrace,
    LeftBracket,
    RightBracket,
    Plus,
    Minus,
    Star,
    Slash,
    Caret,
    Percent,
    // any other single character; always a syntax error
    Other,
};

struct Token {
    TokenKind kind = TokenKind::End;
    // Name: the name; String, LongString: the bytes of the string.
    std::string text;
    // The token as written in the source.
    std::string_view raw;
    int line = 1;
    // The line the token ends on (strings may span lines).
    int endLine = 1;
};

// How a token is shown in messages ("near 'x'").
std::string describeToken(const Token& token);

}  // namespace lua4::frontend

// Recursive-descent parser of the Lua 4.0 grammar. It resolves every name
// while parsing (local, `%` upvalue or global), since that is where 4.0's
// scoping rules apply, and builds the tree the emitter writes out.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/lua4/frontend/ast.h"
#include "platform/lua4/frontend/dialect_switches.h"
#include "platform/lua4/frontend/lexer.h"
#include "platform/lua4/frontend/scopes.h"

namespace lua4::frontend {

class Parser {
  public:
    Parser(std::string_view source, const DialectSwitches& switches, Ast& ast);

    // The main chunk as a function without parameters. Throws SyntaxError.
    FunctionBody* parseChunk();

  private:
    struct OperatorPriority {
        BinaryOp op;
        int left;
        int right;
    };

    // tokens
    void advance();
    const Token& peekNext();
    bool check(TokenKind kind) const { return token_.kind == kind; }
    bool accept(TokenKind kind);
    void expect(TokenKind kind, const char* what);
    void expectClosing(TokenKind kind, const char* what, const char* opener, int openLine);
    std::string expectName();
    [[noreturn]] void error(const std::string& message);
    void enterLevel();
    void leaveLevel() { --level_; }

    // statements
    Block* parseBlock();
    Block* parseScopedBlock();
    Block* parseLoopBlock();
    bool blockFollows() const;
    Stat* parseStatement();
    Stat* parseIf();
    Stat* parseWhile();
    Stat* parseDo();
    Stat* parseFor();
    Stat* parseNumericFor(Stat* stat, const std::string& name);
    Stat* parseTableFor(Stat* stat, const std::string& key);
    Stat* parseRepeat();
    Stat* parseFunctionStatement();
    Stat* parseLocal();
    Stat* parseReturn();
    Stat* parseBreak();
    Stat* parseExpressionStatement();
    Expr* assignable(Expr* target);
    FunctionBody* parseFunctionBody(int line, bool method);
    void parseParameters(FunctionBody* function);
    LocalVar* declareLocal(const std::string& name);
    void activate(LocalVar* local);
    void renameShadowingLocals(const std::vector<LocalVar*>& locals,
                               const std::set<std::string>& names);
    Stat* newStat(StatKind kind);

    // expressions
    Expr* parseExpr();
    Expr* parseSubexpr(int limit);
    Expr* parseUnary();
    Expr* parseSimple();
    Expr* parsePrimary();
    Expr* parseSuffixes(Expr* expr);
    Expr* resolveName(const std::string& name, int line);
    Expr* parseUpvalue();
    void parseCallArgs(Expr* call);
    std::vector<Expr*> parseExprList();
    Expr* parseConstructor();
    void parseConstructorPart(std::vector<Field>& part, bool& trailingComma);
    Field parseField(bool named);
    bool startsNamedField();
    Expr* newExpr(ExprKind kind, int line);
    Expr* stringExpr(const Token& token);
    std::optional<OperatorPriority> binaryOperator(TokenKind kind) const;

    Lexer lexer_;
    const DialectSwitches& switches_;
    Ast& ast_;
    Scopes scopes_;
    Token token_;
    Token lookahead_;
    bool hasLookahead_ = false;
    int level_ = 0;
    int renamed_ = 0;
    // Names read while these are listening (the condition of `until`).
    std::vector<std::set<std::string>*> nameRecorders_;
};

}  // namespace lua4::frontend

// The token helpers and statements of the parser; expressions are in
// parser_expressions.cpp.
#include "platform/lua4/frontend/parser.h"

#include <utility>

#include "platform/lua4/frontend/syntax_error.h"

namespace lua4::frontend {

namespace {

// Deeper nesting than this is refused: the tree is walked recursively.
constexpr int maxLevels = 300;
// Lua 5.1 refuses more locals in scope at once in one function, so a
// translation with more could never run; and names are looked up by
// scanning the locals in scope.
constexpr std::size_t maxActiveLocals = 200;

}  // namespace

Parser::Parser(std::string_view source, const DialectSwitches& switches, Ast& ast)
    : lexer_(source, switches), switches_(switches), ast_(ast) {
    advance();
}

void Parser::advance() {
    if (hasLookahead_) {
        token_ = std::move(lookahead_);
        hasLookahead_ = false;
    } else {
        token_ = lexer_.next();
    }
    if (token_.kind != TokenKind::Name) return;
    for (std::set<std::string>* names : nameRecorders_) names->insert(token_.text);
}

const Token& Parser::peekNext() {
    if (!hasLookahead_) {
        lookahead_ = lexer_.next();
        hasLookahead_ = true;
    }
    return lookahead_;
}

bool Parser::accept(TokenKind kind) {
    if (!check(kind)) return false;
    advance();
    return true;
}

void Parser::expect(TokenKind kind, const char* what) {
    if (!accept(kind)) error(std::string("'") + what + "' expected");
}

void Parser::expectClosing(TokenKind kind, const char* what, const char* opener, int openLine) {
    if (accept(kind)) return;
    std::string message = std::string("'") + what + "' expected";
    if (token_.line != openLine) {
        message +=
            std::string(" (to close '") + opener + "' at line " + std::to_string(openLine) + ")";
    }
    error(message);
}

std::string Parser::expectName() {
    if (!check(TokenKind::Name)) error("name expected");
    std::string name = token_.text;
    advance();
    return name;
}

void Parser::error(const std::string& message) {
    throw SyntaxError{token_.line, message + " near " + describeToken(token_)};
}

void Parser::enterLevel() {
    if (++level_ > maxLevels) error("chunk has too many syntax levels");
}

FunctionBody* Parser::parseChunk() {
    FunctionBody* main = ast_.make<FunctionBody>();
    scopes_.openFunction(main);
    main->body = parseBlock();
    if (!check(TokenKind::End)) error("'<eof>' expected");
    main->endLine = token_.line;
    scopes_.closeFunction();
    return main;
}

bool Parser::blockFollows() const {
    switch (token_.kind) {
        case TokenKind::Else:
        case TokenKind::Elseif:
        case TokenKind::EndKeyword:
        case TokenKind::Until:
        case TokenKind::End:
            return true;
        default:
            return false;
    }
}

Block* Parser::parseBlock() {
    Block* block = ast_.make<Block>();
    while (!blockFollows()) {
        Stat* stat = parseStatement();
        block->stats.push_back(stat);
        accept(TokenKind::Semicolon);
        if (stat->kind == StatKind::Return || stat->kind == StatKind::Break) break;
    }
    return block;
}

Block* Parser::parseScopedBlock() {
    std::size_t mark = scopes_.openBlock();
    Block* block = parseBlock();
    scopes_.closeBlock(mark);
    return block;
}

Block* Parser::parseLoopBlock() {
    scopes_.enterLoop();
    Block* block = parseScopedBlock();
    scopes_.leaveLoop();
    return block;
}

Stat* Parser::newStat(StatKind kind) {
    Stat* stat = ast_.make<Stat>();
    stat->kind = kind;
    stat->line = token_.line;
    return stat;
}

Stat* Parser::parseStatement() {
    enterLevel();
    Stat* stat = nullptr;
    switch (token_.kind) {
        case TokenKind::If:
            stat = parseIf();
            break;
        case TokenKind::While:
            stat = parseWhile();
            break;
        case TokenKind::Do:
            stat = parseDo();
            break;
        case TokenKind::For:
            stat = parseFor();
            break;
        case TokenKind::Repeat:
            stat = parseRepeat();
            break;
        case TokenKind::Function:
            stat = parseFunctionStatement();
            break;
        case TokenKind::Local:
            stat = parseLocal();
            break;
        case TokenKind::Return:
            stat = parseReturn();
            break;
        case TokenKind::Break:
            stat = parseBreak();
            break;
        default:
            stat = parseExpressionStatement();
            break;
    }
    leaveLevel();
    return stat;
}

Stat* Parser::parseIf() {
    Stat* stat = newStat(StatKind::If);
    do {
        IfClause clause;
        clause.line = token_.line;
        advance();
        clause.condition = parseExpr();
        expect(TokenKind::Then, "then");
        clause.body = parseScopedBlock();
        stat->clauses.push_back(clause);
    } while (check(TokenKind::Elseif));
    if (check(TokenKind::Else)) {
        stat->elseLine = token_.line;
        advance();
        stat->elseBody = parseScopedBlock();
    }
    stat->endLine = token_.line;
    expectClosing(TokenKind::EndKeyword, "end", "if", stat->line);
    return stat;
}

Stat* Parser::parseWhile() {
    Stat* stat = newStat(StatKind::While);
    advance();
    stat->expr = parseExpr();
    expect(TokenKind::Do, "do");
    stat->body = parseLoopBlock();
    stat->endLine = token_.line;
    expectClosing(TokenKind::EndKeyword, "end", "while", stat->line);
    return stat;
}

Stat* Parser::parseDo() {
    Stat* stat = newStat(StatKind::Do);
    advance();
    stat->body = parseScopedBlock();
    stat->endLine = token_.line;
    expectClosing(TokenKind::EndKeyword, "end", "do", stat->line);
    return stat;
}

Stat* Parser::parseFor() {
    Stat* stat = newStat(StatKind::NumericFor);
    advance();
    std::string first = expectName();
    if (check(TokenKind::Assign)) return parseNumericFor(stat, first);
    if (check(TokenKind::Comma)) return parseTableFor(stat, first);
    error("'=' or ',' expected");
}

// for name = start, limit [, step] do block end
Stat* Parser::parseNumericFor(Stat* stat, const std::string& name) {
    advance();
    stat->start = parseExpr();
    expect(TokenKind::Comma, ",");
    stat->limit = parseExpr();
    if (accept(TokenKind::Comma)) stat->step = parseExpr();
    expect(TokenKind::Do, "do");
    std::size_t mark = scopes_.openBlock();
    stat->locals.push_back(declareLocal(name));
    activate(stat->locals[0]);
    stat->body = parseLoopBlock();
    scopes_.closeBlock(mark);
    stat->endLine = token_.line;
    expectClosing(TokenKind::EndKeyword, "end", "for", stat->line);
    return stat;
}

// for key, value in table do block end
Stat* Parser::parseTableFor(Stat* stat, const std::string& key) {
    stat->kind = StatKind::TableFor;
    advance();
    std::string value = expectName();
    expect(TokenKind::In, "in");
    stat->expr = parseExpr();
    expect(TokenKind::Do, "do");
    std::size_t mark = scopes_.openBlock();
    stat->locals = {declareLocal(key), declareLocal(value)};
    for (LocalVar* local : stat->locals) activate(local);
    stat->body = parseLoopBlock();
    scopes_.closeBlock(mark);
    stat->endLine = token_.line;
    expectClosing(TokenKind::EndKeyword, "end", "for", stat->line);
    return stat;
}

// The body's locals end with the body: the condition after `until` sees the
// names outside the loop. Body locals that share a name with one the
// condition uses are renamed, so Lua 5.1 resolves the condition the same way.
Stat* Parser::parseRepeat() {
    Stat* stat = newStat(StatKind::Repeat);
    advance();
    std::size_t mark = scopes_.openBlock();
    scopes_.enterLoop();
    stat->body = parseBlock();
    scopes_.leaveLoop();
    stat->endLine = token_.line;
    if (!check(TokenKind::Until)) expectClosing(TokenKind::Until, "until", "repeat", stat->line);
    std::vector<LocalVar*> bodyLocals;
    if (switches_.repeatUntilScope) bodyLocals = scopes_.closeBlock(mark);
    std::set<std::string> names;
    nameRecorders_.push_back(&names);
    advance();
    stat->expr = parseExpr();
    nameRecorders_.pop_back();
    if (!switches_.repeatUntilScope) scopes_.closeBlock(mark);
    renameShadowingLocals(bodyLocals, names);
    return stat;
}

void Parser::renameShadowingLocals(const std::vector<LocalVar*>& locals,
                                   const std::set<std::string>& names) {
    for (LocalVar* local : locals) {
        if (!names.count(local->name)) continue;
        local->emittedName = "_4_r" + std::to_string(++renamed_) + "_" + local->name;
    }
}

// function name [.name | :name] body
Stat* Parser::parseFunctionStatement() {
    Stat* stat = newStat(StatKind::Function);
    advance();
    int nameLine = token_.line;
    Expr* target = resolveName(expectName(), nameLine);
    bool method = check(TokenKind::Colon);
    if (method || check(TokenKind::Dot)) {
        advance();
        Token key = token_;
        expectName();
        Expr* index = newExpr(ExprKind::Index, nameLine);
        index->left = target;
        index->right = stringExpr(key);
        index->dotted = true;
        target = index;
    }
    stat->targets.push_back(assignable(target));
    stat->function = parseFunctionBody(stat->line, method);
    return stat;
}

FunctionBody* Parser::parseFunctionBody(int line, bool method) {
    FunctionBody* function = ast_.make<FunctionBody>();
    function->line = line;
    scopes_.openFunction(function);
    if (method) function->params.push_back(declareLocal("self"));
    expect(TokenKind::LeftParen, "(");
    parseParameters(function);
    expect(TokenKind::RightParen, ")");
    for (LocalVar* param : function->params) activate(param);
    // A vararg function has the implicit local `arg` with the extra arguments.
    if (function->vararg) activate(declareLocal("arg"));
    function->body = parseBlock();
    function->endLine = token_.line;
    expectClosing(TokenKind::EndKeyword, "end", "function", line);
    scopes_.closeFunction();
    return function;
}

void Parser::parseParameters(FunctionBody* function) {
    if (check(TokenKind::RightParen)) return;
    do {
        if (accept(TokenKind::Dots)) {
            function->vararg = true;
            return;
        }
        function->params.push_back(declareLocal(expectName()));
    } while (accept(TokenKind::Comma));
}

void Parser::activate(LocalVar* local) {
    if (scopes_.activeCount() >= maxActiveLocals)
        error("too many local variables (limit " + std::to_string(maxActiveLocals) + ")");
    scopes_.activate(local);
}

LocalVar* Parser::declareLocal(const std::string& name) {
    LocalVar* local = ast_.make<LocalVar>();
    local->name = name;
    bool reserved = name == "true" || name == "false";
    local->emittedName = reserved && switches_.trueFalseAsNames ? "_4_" + name : name;
    return local;
}

Stat* Parser::parseLocal() {
    Stat* stat = newStat(StatKind::Local);
    advance();
    do {
        stat->locals.push_back(declareLocal(expectName()));
    } while (accept(TokenKind::Comma));
    if (accept(TokenKind::Assign)) stat->values = parseExprList();
    for (LocalVar* local : stat->locals) activate(local);
    return stat;
}

Stat* Parser::parseReturn() {
    Stat* stat = newStat(StatKind::Return);
    advance();
    if (!blockFollows() && !check(TokenKind::Semicolon)) stat->values = parseExprList();
    return stat;
}

Stat* Parser::parseBreak() {
    Stat* stat = newStat(StatKind::Break);
    if (scopes_.loopDepth() == 0) error("no loop to break");
    advance();
    return stat;
}

// An assignment or a function call.
Stat* Parser::parseExpressionStatement() {
    Stat* stat = newStat(StatKind::Call);
    Expr* first = parsePrimary();
    if (check(TokenKind::Assign) || check(TokenKind::Comma)) {
        stat->kind = StatKind::Assign;
        stat->targets.push_back(assignable(first));
        while (accept(TokenKind::Comma)) stat->targets.push_back(assignable(parsePrimary()));
        expect(TokenKind::Assign, "=");
        stat->values = parseExprList();
        return stat;
    }
    if (first->kind != ExprKind::Call && first->kind != ExprKind::MethodCall) error("syntax error");
    stat->expr = first;
    return stat;
}

Expr* Parser::assignable(Expr* target) {
    switch (target->kind) {
        case ExprKind::Local:
        case ExprKind::Global:
        case ExprKind::Index:
            return target;
        case ExprKind::Upvalue:
            error("cannot assign to upvalue %" + target->text);
        default:
            error("syntax error");
    }
}

}  // namespace lua4::frontend

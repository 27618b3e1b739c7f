// The expressions of the parser: operators by precedence, names, upvalues,
// calls and table constructors.
#include "platform/lua4/frontend/parser.h"
#include "platform/lua4/frontend/syntax_error.h"

namespace lua4::frontend {

namespace {

// `not` and unary minus bind tighter than every binary operator but `^`.
constexpr int unaryPriority = 7;
// The upvalues become upvalues of the function in Lua 5.1, which refuses
// more; and each new one is looked for among those before.
constexpr std::size_t maxUpvalues = 60;

}  // namespace

// Lua 4.0 precedence, low to high: `and or` (one level) · comparisons · `..`
// · `+ -` · `* /` · unary · `^`. All left-associative but `^`.
std::optional<Parser::OperatorPriority> Parser::binaryOperator(TokenKind kind) const {
    switch (kind) {
        case TokenKind::Or:
            return OperatorPriority{BinaryOp::Or, 1, 1};
        case TokenKind::And:
            if (switches_.andOrOnePrecedence) return OperatorPriority{BinaryOp::And, 1, 1};
            return OperatorPriority{BinaryOp::And, 2, 2};
        case TokenKind::Equal:
            return OperatorPriority{BinaryOp::Equal, 3, 3};
        case TokenKind::NotEqual:
            return OperatorPriority{BinaryOp::NotEqual, 3, 3};
        case TokenKind::Less:
            return OperatorPriority{BinaryOp::Less, 3, 3};
        case TokenKind::Greater:
            return OperatorPriority{BinaryOp::Greater, 3, 3};
        case TokenKind::LessEqual:
            return OperatorPriority{BinaryOp::LessEqual, 3, 3};
        case TokenKind::GreaterEqual:
            return OperatorPriority{BinaryOp::GreaterEqual, 3, 3};
        case TokenKind::Concat:
            return OperatorPriority{BinaryOp::Concat, 4, 4};
        case TokenKind::Plus:
            return OperatorPriority{BinaryOp::Add, 5, 5};
        case TokenKind::Minus:
            return OperatorPriority{BinaryOp::Subtract, 5, 5};
        case TokenKind::Star:
            return OperatorPriority{BinaryOp::Multiply, 6, 6};
        case TokenKind::Slash:
            return OperatorPriority{BinaryOp::Divide, 6, 6};
        case TokenKind::Caret:
            return OperatorPriority{BinaryOp::Power, 9, 8};
        case TokenKind::Percent:
            // Without 4.0 upvalues `%` is what it is in Lua 5.1: the modulo.
            if (switches_.percentUpvalues) return std::nullopt;
            return OperatorPriority{BinaryOp::Modulo, 6, 6};
        default:
            return std::nullopt;
    }
}

Expr* Parser::newExpr(ExprKind kind, int line) {
    Expr* expr = ast_.make<Expr>();
    expr->kind = kind;
    expr->line = line;
    expr->endLine = line;
    return expr;
}

Expr* Parser::stringExpr(const Token& token) {
    Expr* expr = newExpr(ExprKind::String, token.line);
    expr->text = token.text;
    expr->endLine = token.endLine;
    expr->longString = token.kind == TokenKind::LongString;
    expr->raw = token.raw;
    return expr;
}

Expr* Parser::parseExpr() {
    return parseSubexpr(0);
}

// Operators whose left priority is above limit are taken into this
// expression. Each operator of a chain counts as one level of nesting, as
// the tree gets one level deeper.
Expr* Parser::parseSubexpr(int limit) {
    enterLevel();
    int levels = 1;
    Expr* expr = check(TokenKind::Not) || check(TokenKind::Minus) ? parseUnary() : parseSimple();
    for (auto op = binaryOperator(token_.kind); op && op->left > limit;
         op = binaryOperator(token_.kind)) {
        advance();
        Expr* binary = newExpr(ExprKind::Binary, expr->line);
        binary->binary = op->op;
        binary->left = expr;
        binary->right = parseSubexpr(op->right);
        expr = binary;
        enterLevel();
        ++levels;
    }
    level_ -= levels;
    return expr;
}

Expr* Parser::parseUnary() {
    Expr* expr = newExpr(ExprKind::Unary, token_.line);
    expr->unary = check(TokenKind::Not) ? UnaryOp::Not : UnaryOp::Negate;
    advance();
    expr->left = parseSubexpr(unaryPriority);
    return expr;
}

Expr* Parser::parseSimple() {
    Expr* expr = nullptr;
    switch (token_.kind) {
        case TokenKind::Number:
            expr = newExpr(ExprKind::Number, token_.line);
            expr->text = token_.raw;
            break;
        case TokenKind::String:
        case TokenKind::LongString:
            expr = stringExpr(token_);
            break;
        case TokenKind::Nil:
            expr = newExpr(ExprKind::Nil, token_.line);
            break;
        case TokenKind::LeftBrace:
            return parseConstructor();
        case TokenKind::Function: {
            expr = newExpr(ExprKind::Function, token_.line);
            advance();
            expr->function = parseFunctionBody(expr->line, false);
            return expr;
        }
        case TokenKind::LeftParen: {
            expr = newExpr(ExprKind::Paren, token_.line);
            advance();
            expr->left = parseExpr();
            expectClosing(TokenKind::RightParen, ")", "(", expr->line);
            return expr;
        }
        default:
            return parsePrimary();
    }
    advance();
    return expr;
}

// name or %name, then any of .name [exp] :name(args) (args) {..} "..."
Expr* Parser::parsePrimary() {
    Expr* expr = nullptr;
    if (check(TokenKind::Name)) {
        expr = resolveName(token_.text, token_.line);
        advance();
    } else if (check(TokenKind::Percent) && switches_.percentUpvalues) {
        expr = parseUpvalue();
    } else {
        error("unexpected symbol");
    }
    return parseSuffixes(expr);
}

Expr* Parser::parseSuffixes(Expr* expr) {
    for (;;) {
        Expr* next = nullptr;
        switch (token_.kind) {
            case TokenKind::Dot: {
                next = newExpr(ExprKind::Index, expr->line);
                advance();
                Token key = token_;
                expectName();
                next->right = stringExpr(key);
                next->dotted = true;
                break;
            }
            case TokenKind::LeftBracket:
                next = newExpr(ExprKind::Index, expr->line);
                advance();
                next->right = parseExpr();
                expect(TokenKind::RightBracket, "]");
                break;
            case TokenKind::Colon:
                next = newExpr(ExprKind::MethodCall, expr->line);
                advance();
                next->text = expectName();
                parseCallArgs(next);
                break;
            case TokenKind::LeftParen:
            case TokenKind::String:
            case TokenKind::LongString:
            case TokenKind::LeftBrace:
                next = newExpr(ExprKind::Call, expr->line);
                parseCallArgs(next);
                break;
            default:
                return expr;
        }
        next->left = expr;
        expr = next;
    }
}

// A plain name is a local of the current function or a global. A local of
// an enclosing function can only be reached through `%name`.
Expr* Parser::resolveName(const std::string& name, int line) {
    if (LocalVar* local = scopes_.findLocal(name)) {
        Expr* expr = newExpr(ExprKind::Local, line);
        expr->local = local;
        return expr;
    }
    if (LocalVar* outer = scopes_.findOuterLocal(name, true)) {
        if (switches_.percentUpvalues)
            error("cannot reach local '" + name + "' of an enclosing function (use %" + name + ")");
        Expr* expr = newExpr(ExprKind::Local, line);
        expr->local = outer;
        return expr;
    }
    Expr* expr = newExpr(ExprKind::Global, line);
    expr->text = name;
    return expr;
}

// %name: a local of the enclosing function or a global, its value taken
// when the function expression is evaluated.
Expr* Parser::parseUpvalue() {
    Expr* expr = newExpr(ExprKind::Upvalue, token_.line);
    advance();
    expr->text = expectName();
    if (scopes_.atMainChunk()) error("upvalue %" + expr->text + " outside a function");
    LocalVar* local = scopes_.findEnclosingLocal(expr->text);
    if (!local && scopes_.findOuterLocal(expr->text, false))
        error("upvalue %" + expr->text + " names a local of a function further out");
    std::vector<UpvalueRef>& upvalues = scopes_.currentFunction()->upvalues;
    for (std::size_t i = 0; i < upvalues.size(); ++i) {
        if (upvalues[i].name == expr->text) expr->upvalue = static_cast<int>(i);
    }
    if (expr->upvalue < 0) {
        if (upvalues.size() >= maxUpvalues)
            error("too many upvalues (limit " + std::to_string(maxUpvalues) + ")");
        expr->upvalue = static_cast<int>(upvalues.size());
        upvalues.push_back(UpvalueRef{expr->text, local});
    }
    return expr;
}

void Parser::parseCallArgs(Expr* call) {
    switch (token_.kind) {
        case TokenKind::String:
        case TokenKind::LongString:
            call->args.push_back(stringExpr(token_));
            call->endLine = token_.endLine;
            advance();
            return;
        case TokenKind::LeftBrace: {
            Expr* table = parseConstructor();
            call->args.push_back(table);
            call->endLine = table->table->endLine;
            return;
        }
        case TokenKind::LeftParen: {
            int line = token_.line;
            advance();
            if (!check(TokenKind::RightParen)) call->args = parseExprList();
            call->endLine = token_.line;
            expectClosing(TokenKind::RightParen, ")", "(", line);
            return;
        }
        default:
            error("function arguments expected");
    }
}

std::vector<Expr*> Parser::parseExprList() {
    std::vector<Expr*> list{parseExpr()};
    while (accept(TokenKind::Comma)) list.push_back(parseExpr());
    return list;
}

// { part [; part] }: one part of list items, one of named fields, in either
// order, each optional and each with an optional trailing comma.
Expr* Parser::parseConstructor() {
    Expr* expr = newExpr(ExprKind::Table, token_.line);
    Constructor* table = ast_.make<Constructor>();
    expr->table = table;
    table->line = token_.line;
    expect(TokenKind::LeftBrace, "{");
    parseConstructorPart(table->first, table->firstTrailingComma);
    if (accept(TokenKind::Semicolon)) {
        table->semicolon = true;
        parseConstructorPart(table->second, table->secondTrailingComma);
        if (!table->first.empty() && !table->second.empty() &&
            table->first[0].named() == table->second[0].named())
            error("a constructor's two parts must be one list and one set of named fields");
    }
    table->endLine = token_.line;
    expectClosing(TokenKind::RightBrace, "}", "{", table->line);
    return expr;
}

void Parser::parseConstructorPart(std::vector<Field>& part, bool& trailingComma) {
    if (check(TokenKind::RightBrace) || check(TokenKind::Semicolon)) return;
    bool named = startsNamedField();
    for (;;) {
        part.push_back(parseField(named));
        if (!accept(TokenKind::Comma)) return;
        if (check(TokenKind::RightBrace) || check(TokenKind::Semicolon)) {
            trailingComma = true;
            return;
        }
    }
}

bool Parser::startsNamedField() {
    if (check(TokenKind::LeftBracket)) return true;
    return check(TokenKind::Name) && peekNext().kind == TokenKind::Assign;
}

Field Parser::parseField(bool named) {
    Field field;
    field.line = token_.line;
    if (!named) {
        field.value = parseExpr();
        return field;
    }
    if (accept(TokenKind::LeftBracket)) {
        field.key = parseExpr();
        expect(TokenKind::RightBracket, "]");
    } else {
        field.name = expectName();
    }
    expect(TokenKind::Assign, "=");
    field.value = parseExpr();
    return field;
}

}  // namespace lua4::frontend

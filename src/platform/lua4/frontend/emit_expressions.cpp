// Expressions of the emitter: operators with the parentheses Lua 5.1 needs
// to group them as 4.0 did, comparisons that give 1 or nil, names, calls
// and constructors.
#include "platform/lua4/frontend/emitter.h"
#include "platform/lua4/frontend/string_literal.h"

namespace lua4::frontend {

namespace {

// Lua 5.1's binary priorities (left, right) and that of its unary operators.
constexpr int unaryPriority51 = 8;

int leftPriority51(BinaryOp op) {
    switch (op) {
        case BinaryOp::Or:
            return 1;
        case BinaryOp::And:
            return 2;
        case BinaryOp::Concat:
            return 5;
        case BinaryOp::Add:
        case BinaryOp::Subtract:
            return 6;
        case BinaryOp::Multiply:
        case BinaryOp::Divide:
        case BinaryOp::Modulo:
            return 7;
        case BinaryOp::Power:
            return 10;
        default:
            return 3;  // comparisons
    }
}

int rightPriority51(BinaryOp op) {
    if (op == BinaryOp::Concat) return 4;
    if (op == BinaryOp::Power) return 9;
    return leftPriority51(op);
}

bool isComparison(BinaryOp op) {
    return op >= BinaryOp::Equal && op <= BinaryOp::GreaterEqual;
}

const char* operatorText(BinaryOp op) {
    switch (op) {
        case BinaryOp::Or:
            return "or";
        case BinaryOp::And:
            return "and";
        case BinaryOp::Equal:
            return "==";
        case BinaryOp::NotEqual:
            return "~=";
        case BinaryOp::Less:
            return "<";
        case BinaryOp::Greater:
            return ">";
        case BinaryOp::LessEqual:
            return "<=";
        case BinaryOp::GreaterEqual:
            return ">=";
        case BinaryOp::Concat:
            return "..";
        case BinaryOp::Add:
            return "+";
        case BinaryOp::Subtract:
            return "-";
        case BinaryOp::Multiply:
            return "*";
        case BinaryOp::Divide:
            return "/";
        case BinaryOp::Power:
            return "^";
        case BinaryOp::Modulo:
            return "%";
    }
    return "?";
}

bool isCall(const Expr* expr) {
    return expr->kind == ExprKind::Call || expr->kind == ExprKind::MethodCall;
}

bool isSuffix(const Expr* expr) {
    return isCall(expr) || expr->kind == ExprKind::Index;
}

}  // namespace

bool Emitter::isReservedName(std::string_view name) const {
    return switches_.trueFalseAsNames && (name == "true" || name == "false");
}

void Emitter::emitExprList(const std::vector<Expr*>& list) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (i > 0) out_.attach(",");
        emitExpr(list[i], Context::Value);
    }
}

void Emitter::emitExpr(const Expr* expr, Context context) {
    out_.moveTo(expr->line);
    switch (expr->kind) {
        case ExprKind::Nil:
            out_.put("nil");
            break;
        case ExprKind::Number:
            out_.put(expr->text);
            break;
        case ExprKind::String:
            emitString(expr);
            break;
        case ExprKind::Function:
            emitFunction(expr->function);
            break;
        case ExprKind::Table:
            emitConstructor(expr->table);
            break;
        case ExprKind::Local:
            out_.put(expr->local->emittedName);
            break;
        case ExprKind::Global:
            emitGlobal(expr->text);
            break;
        case ExprKind::Upvalue:
            out_.put("_4_uv_" + expr->text);
            break;
        case ExprKind::Index:
        case ExprKind::Call:
        case ExprKind::MethodCall:
            emitSuffixChain(expr);
            break;
        case ExprKind::Paren:
            emitParen(expr, context);
            break;
        case ExprKind::Binary:
            emitBinary(expr, context);
            break;
        case ExprKind::Unary:
            emitUnary(expr, context);
            break;
    }
}

void Emitter::emitOperand(const Expr* expr, Context context, bool parenthesise) {
    if (!parenthesise) {
        emitExpr(expr, context);
        return;
    }
    out_.moveTo(expr->line);
    out_.put("(");
    emitExpr(expr, context);
    out_.put(")");
}

Emitter::Binding Emitter::bindingOf(const Expr* expr, Context context) const {
    bool oneOrNil = switches_.comparisonsYieldOneOrNil;
    if (expr->kind == ExprKind::Unary) {
        bool wrapped = expr->unary == UnaryOp::Not && oneOrNil && context == Context::Value;
        return {wrapped ? Binding::Atom : Binding::Unary, BinaryOp::Add};
    }
    if (expr->kind != ExprKind::Binary) return {Binding::Atom, BinaryOp::Add};
    BinaryOp op = expr->binary;
    if (!oneOrNil || !isComparison(op)) return {Binding::Binary, op};
    if (context == Context::Value) return {Binding::Atom, op};
    bool negated = op == BinaryOp::LessEqual || op == BinaryOp::GreaterEqual;
    return {negated ? Binding::Unary : Binding::Binary, op};
}

// Left operands keep Lua 5.1 from regrouping: `(a or b) and c`. A chain
// of `..` is left as it is: 5.1 groups it right to left, which gives the
// same string.
bool Emitter::parenthesiseLeft(const Expr* operand, BinaryOp op, Context context) const {
    Binding binding = bindingOf(operand, context);
    bool powerOperand = op == BinaryOp::Power && switches_.powerPrecedence;
    if (binding.kind == Binding::Atom) return false;
    if (powerOperand) return true;
    if (binding.kind == Binding::Unary) return leftPriority51(op) > unaryPriority51;
    if (binding.op == BinaryOp::Concat && op == BinaryOp::Concat) return false;
    return leftPriority51(op) > rightPriority51(binding.op);
}

bool Emitter::parenthesiseRight(const Expr* operand, BinaryOp op, Context context) const {
    Binding binding = bindingOf(operand, context);
    bool powerOperand = op == BinaryOp::Power && switches_.powerPrecedence;
    if (binding.kind == Binding::Atom) return false;
    if (powerOperand) return true;
    if (binding.kind == Binding::Unary) return false;
    return leftPriority51(binding.op) <= rightPriority51(op);
}

bool Emitter::parenthesiseUnaryOperand(const Expr* operand, Context context) const {
    Binding binding = bindingOf(operand, context);
    if (binding.kind != Binding::Binary) return false;
    if (binding.op == BinaryOp::Power) return switches_.powerPrecedence;
    return leftPriority51(binding.op) <= unaryPriority51;
}

void Emitter::emitBinary(const Expr* expr, Context context) {
    BinaryOp op = expr->binary;
    if (isComparison(op)) {
        emitComparison(expr, context);
    } else if (op == BinaryOp::And || op == BinaryOp::Or) {
        emitOperator(expr, context, operatorText(op));
    } else {
        emitOperator(expr, Context::Value, operatorText(op));
    }
}

void Emitter::emitOperator(const Expr* expr, Context operands, const char* op) {
    emitOperand(expr->left, operands, parenthesiseLeft(expr->left, expr->binary, operands));
    out_.put(op);
    emitOperand(expr->right, operands, parenthesiseRight(expr->right, expr->binary, operands));
}

// As a value a comparison becomes `(a < b and 1 or nil)`; as a condition
// Lua 5.1's boolean is as good. `a <= b` is `not (b < a)` in 4.0, written
// `not (a > b)` to keep the operands' order of evaluation.
void Emitter::emitComparison(const Expr* expr, Context context) {
    if (!switches_.comparisonsYieldOneOrNil) {
        emitOperator(expr, Context::Value, operatorText(expr->binary));
        return;
    }
    bool asValue = context == Context::Value;
    if (asValue) out_.put("(");
    emitComparisonCore(expr);
    if (asValue) out_.put("and 1 or nil )");
}

void Emitter::emitComparisonCore(const Expr* expr) {
    BinaryOp op = expr->binary;
    if (op != BinaryOp::LessEqual && op != BinaryOp::GreaterEqual) {
        emitOperator(expr, Context::Value, operatorText(op));
        return;
    }
    out_.put("not (");
    emitOperator(expr, Context::Value, op == BinaryOp::LessEqual ? ">" : "<");
    out_.put(")");
}

// `not x` as a value is `(not x and 1 or nil)`.
void Emitter::emitUnary(const Expr* expr, Context context) {
    bool isNot = expr->unary == UnaryOp::Not;
    bool asValue = isNot && switches_.comparisonsYieldOneOrNil && context == Context::Value;
    Context operand = isNot && switches_.comparisonsYieldOneOrNil ? Context::Test : Context::Value;
    if (asValue) out_.put("(");
    out_.put(isNot ? "not" : "-");
    emitOperand(expr->left, operand, parenthesiseUnaryOperand(expr->left, operand));
    if (asValue) out_.put("and 1 or nil )");
}

// Lua 4.0 does not cut `(f())` down to one value.
void Emitter::emitParen(const Expr* expr, Context context) {
    if (switches_.parenthesisedCallKeepsResults && isCall(expr->left)) {
        emitExpr(expr->left, context);
        return;
    }
    out_.put("(");
    emitExpr(expr->left, context);
    out_.put(")");
}

// `true` and `false` are Lua 5.1 reserved words; as 4.0 globals they are
// read through the private reference to the table of globals.
void Emitter::emitGlobal(const std::string& name) {
    if (isReservedName(name)) {
        out_.put("_4_G[\"" + name + "\"]");
    } else {
        out_.put(name);
    }
}

// `a.b[c](d):e(f)` is a tree as deep as the chain is long, and a chain can
// be any length (4.0 read suffixes in a loop), so it is written in a loop
// too: the base, then each suffix in turn. Only the keys and arguments
// recurse, and their nesting is bounded by the parser.
void Emitter::emitSuffixChain(const Expr* last) {
    std::vector<const Expr*> suffixes;
    const Expr* base = last;
    for (; isSuffix(base); base = base->left) suffixes.push_back(base);
    for (const Expr* suffix : suffixes) {
        if (isReservedMethodCall(suffix)) openReservedMethodCall(suffix);
    }
    emitExpr(base, Context::Value);
    for (auto it = suffixes.rbegin(); it != suffixes.rend(); ++it) emitSuffix(*it);
}

void Emitter::emitSuffix(const Expr* suffix) {
    switch (suffix->kind) {
        case ExprKind::Index:
            emitIndexSuffix(suffix);
            break;
        case ExprKind::Call:
            emitArgs(suffix);
            break;
        default:
            emitMethodSuffix(suffix);
            break;
    }
}

void Emitter::emitIndexSuffix(const Expr* expr) {
    if (expr->dotted && !isReservedName(expr->right->text)) {
        out_.attach("." + expr->right->text);
        return;
    }
    out_.attach("[");
    emitExpr(expr->right, Context::Value);
    out_.put("]");
}

bool Emitter::isReservedMethodCall(const Expr* expr) const {
    return expr->kind == ExprKind::MethodCall && isReservedName(expr->text);
}

// o:true(...) cannot be written in Lua 5.1; a small function evaluates o
// once and calls o["true"](o, ...). Its opening comes before o is written.
void Emitter::openReservedMethodCall(const Expr* expr) {
    out_.put("(function (_4_o, ...) return _4_o[\"" + expr->text + "\"](_4_o, ...) end)(");
}

void Emitter::emitMethodSuffix(const Expr* expr) {
    if (!isReservedMethodCall(expr)) {
        out_.attach(":" + expr->text);
        emitArgs(expr);
        return;
    }
    for (const Expr* arg : expr->args) {
        out_.attach(",");
        emitExpr(arg, Context::Value);
    }
    out_.putAt(expr->endLine, ")");
}

void Emitter::emitArgs(const Expr* call) {
    out_.attach("(");
    emitExprList(call->args);
    out_.putAt(call->endLine, ")");
}

// Strings are written quoted, spanning as many lines as in the script; a
// long string as written when its 4.0 reading is switched off.
void Emitter::emitString(const Expr* expr) {
    if (expr->longString && !switches_.nestedLongStrings) {
        out_.put(expr->raw);
        return;
    }
    out_.put(quoteString(expr->text, expr->endLine - expr->line));
}

bool Emitter::givesSeveralValues(const Expr* expr) const {
    if (isCall(expr)) return true;
    return expr->kind == ExprKind::Paren && switches_.parenthesisedCallKeepsResults &&
           isCall(expr->left);
}

void Emitter::emitConstructor(const Constructor* table) {
    out_.moveTo(table->line);
    out_.put("{");
    emitFields(table->first);
    if (switches_.constructorSemicolon) {
        if (!table->first.empty() && !table->second.empty()) out_.attach(";");
    } else {
        if (table->firstTrailingComma) out_.attach(",");
        if (table->semicolon) out_.put(";");
    }
    emitFields(table->second);
    if (!switches_.constructorSemicolon && table->secondTrailingComma) out_.attach(",");
    out_.putAt(table->endLine, "}");
}

void Emitter::emitFields(const std::vector<Field>& part) {
    for (std::size_t i = 0; i < part.size(); ++i) {
        if (i > 0) out_.attach(",");
        emitField(part[i], i + 1 == part.size());
    }
}

// The last list item of a 5.1 constructor passes on all results of a call;
// in 4.0 every item is one value.
void Emitter::emitField(const Field& field, bool last) {
    out_.moveTo(field.line);
    if (!field.name.empty()) {
        out_.put(isReservedName(field.name) ? "[\"" + field.name + "\"]" : field.name);
        out_.put("=");
    } else if (field.key) {
        out_.put("[");
        emitExpr(field.key, Context::Value);
        out_.put("] =");
    }
    bool cut = !field.named() && last && switches_.constructorOneValuePerCall &&
               givesSeveralValues(field.value);
    emitOperand(field.value, Context::Value, cut);
}

}  // namespace lua4::frontend

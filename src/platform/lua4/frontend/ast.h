// The syntax tree of a Lua 4.0 chunk, as the parser builds it and the
// emitter writes it out again as Lua 5.1. Every node records the line its
// first token is on, so the output keeps the script's line numbers.
#pragma once

#include <cstddef>
#include <deque>
#include <new>
#include <string>
#include <vector>

namespace lua4::frontend {

struct Expr;
struct Block;
struct FunctionBody;
struct Constructor;

// A local variable (or parameter) of some function.
struct LocalVar {
    std::string name;
    // The Lua 5.1 name it is written as.
    std::string emittedName;
};

// A `%name` used inside a function: a local of the enclosing function, or a
// global when local is null.
struct UpvalueRef {
    std::string name;
    LocalVar* local = nullptr;
};

enum class ExprKind {
    Nil,
    Number,
    String,
    Function,
    Table,
    Local,
    Global,
    Upvalue,
    Index,
    Call,
    MethodCall,
    Paren,
    Binary,
    Unary,
};

enum class BinaryOp {
    Or,
    And,
    Equal,
    NotEqual,
    Less,
    Greater,
    LessEqual,
    GreaterEqual,
    Concat,
    Add,
    Subtract,
    Multiply,
    Divide,
    Power,
    Modulo,
};

enum class UnaryOp { Not, Negate };

struct Expr {
    ExprKind kind = ExprKind::Nil;
    int line = 1;
    // String: the line it ends on. Call, MethodCall: the line of the end of
    // the arguments.
    int endLine = 1;
    // Number: the numeral as written. String: its bytes. Global: the name.
    // MethodCall: the method name.
    std::string text;
    // String: written as `[[...]]`; raw holds it as written.
    bool longString = false;
    std::string raw;
    // Index: written as `a.name` (right is then a String).
    bool dotted = false;
    LocalVar* local = nullptr;
    int upvalue = -1;
    BinaryOp binary = BinaryOp::Add;
    UnaryOp unary = UnaryOp::Not;
    // Binary: left operand. Unary, Paren: the operand. Index, MethodCall:
    // the object. Call: the function.
    Expr* left = nullptr;
    // Binary: right operand. Index: the key.
    Expr* right = nullptr;
    std::vector<Expr*> args;
    FunctionBody* function = nullptr;
    Constructor* table = nullptr;
};

// One field of a table constructor: a list item (key null, name empty),
// `name = value` or `[key] = value`.
struct Field {
    int line = 1;
    std::string name;
    Expr* key = nullptr;
    Expr* value = nullptr;
    bool named() const { return key || !name.empty(); }
};

// `{ first ; second }`: each part is all list items or all named fields.
struct Constructor {
    int line = 1;
    int endLine = 1;
    std::vector<Field> first;
    std::vector<Field> second;
    bool firstTrailingComma = false;
    bool secondTrailingComma = false;
    bool semicolon = false;
};

enum class StatKind {
    Assign,
    Call,
    Do,
    While,
    Repeat,
    If,
    Return,
    Break,
    NumericFor,
    TableFor,
    Function,
    Local,
};

struct IfClause {
    int line = 1;
    Expr* condition = nullptr;
    Block* body = nullptr;
};

struct Stat {
    StatKind kind = StatKind::Do;
    int line = 1;
    // The line of the closing `end` or `until`.
    int endLine = 1;
    // Assign: targets. Function: the one target.
    std::vector<Expr*> targets;
    // Assign, Local, Return: the expressions.
    std::vector<Expr*> values;
    // Local: the new locals. NumericFor, TableFor: the loop variables.
    std::vector<LocalVar*> locals;
    // Call: the call. While, Repeat: the condition. TableFor: the table.
    Expr* expr = nullptr;
    // NumericFor: start, limit and optional step.
    Expr* start = nullptr;
    Expr* limit = nullptr;
    Expr* step = nullptr;
    Block* body = nullptr;
    // If: `if` and `elseif` clauses, then the optional `else`.
    std::vector<IfClause> clauses;
    Block* elseBody = nullptr;
    int elseLine = 1;
    FunctionBody* function = nullptr;
};

struct Block {
    std::vector<Stat*> stats;
};

struct FunctionBody {
    int line = 1;
    int endLine = 1;
    // Parameters in order; a method's `self` comes first.
    std::vector<LocalVar*> params;
    bool vararg = false;
    Block* body = nullptr;
    std::vector<UpvalueRef> upvalues;
};

// Owns every node of one tree. The nodes may take budget bytes at most;
// past that, make throws std::bad_alloc as if memory had run out: a tree
// takes a hundred times the size of its chunk, or more.
class Ast {
  public:
    explicit Ast(std::size_t budget) : budget_(budget) {}

    template <typename Node>
    Node* make() {
        if (sizeof(Node) > budget_ - used_) throw std::bad_alloc();
        used_ += sizeof(Node);
        return &store<Node>().emplace_back();
    }

  private:
    template <typename Node>
    std::deque<Node>& store();

    std::size_t budget_;
    std::size_t used_ = 0;

    std::deque<Expr> exprs_;
    std::deque<Stat> stats_;
    std::deque<Block> blocks_;
    std::deque<FunctionBody> functions_;
    std::deque<Constructor> constructors_;
    std::deque<LocalVar> locals_;
};

template <>
inline std::deque<Expr>& Ast::store<Expr>() {
    return exprs_;
}
template <>
inline std::deque<Stat>& Ast::store<Stat>() {
    return stats_;
}
template <>
inline std::deque<Block>& Ast::store<Block>() {
    return blocks_;
}
template <>
inline std::deque<FunctionBody>& Ast::store<FunctionBody>() {
    return functions_;
}
template <>
inline std::deque<Constructor>& Ast::store<Constructor>() {
    return constructors_;
}
template <>
inline std::deque<LocalVar>& Ast::store<LocalVar>() {
    return locals_;
}

}  // namespace lua4::frontend

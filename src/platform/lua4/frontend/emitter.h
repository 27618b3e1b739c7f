// Writes a parsed 4.0 chunk as Lua 5.1 source with the same meaning, every
// token on the line it had in the script.
//
// The result is a Lua 5.1 chunk that takes two arguments, the 4.0 `next`
// function and the table of globals, and returns the script's main function
// (see chunk_binding.h): the rewrites refer to both under reserved names
// that a script cannot redefine.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/lua4/frontend/ast.h"
#include "platform/lua4/frontend/dialect_switches.h"
#include "platform/lua4/frontend/line_writer.h"

namespace lua4::frontend {

class Emitter {
  public:
    Emitter(const DialectSwitches& switches, LineWriter& out) : switches_(switches), out_(out) {}

    void emitChunk(const FunctionBody* main);

  private:
    // Value: the result is used as a value, so comparisons must give 1 or
    // nil. Test: only its truth is used (conditions), so Lua 5.1's own
    // comparisons will do.
    enum class Context { Value, Test };

    // How an emitted expression binds in Lua 5.1, to decide parentheses.
    struct Binding {
        enum Kind { Atom, Unary, Binary } kind;
        BinaryOp op;
    };

    // statements
    void emitBlock(const Block* block);
    void emitStatement(const Stat* stat);
    void emitAssign(const Stat* stat);
    void emitLocal(const Stat* stat);
    void emitReturn(const Stat* stat);
    void emitIf(const Stat* stat);
    void emitWhile(const Stat* stat);
    void emitRepeat(const Stat* stat);
    void emitDo(const Stat* stat);
    void emitNumericFor(const Stat* stat);
    void emitTableFor(const Stat* stat);
    void emitFunctionStatement(const Stat* stat);
    void emitLoopBody(const Stat* stat);
    void emitLocalNames(const std::vector<LocalVar*>& locals);

    // expressions
    void emitExpr(const Expr* expr, Context context);
    void emitExprList(const std::vector<Expr*>& list);
    void emitOperand(const Expr* expr, Context context, bool parenthesise);
    Binding bindingOf(const Expr* expr, Context context) const;
    bool parenthesiseLeft(const Expr* operand, BinaryOp op, Context context) const;
    bool parenthesiseRight(const Expr* operand, BinaryOp op, Context context) const;
    bool parenthesiseUnaryOperand(const Expr* operand, Context context) const;
    void emitBinary(const Expr* expr, Context context);
    void emitOperator(const Expr* expr, Context operands, const char* op);
    void emitComparison(const Expr* expr, Context context);
    void emitComparisonCore(const Expr* expr);
    void emitUnary(const Expr* expr, Context context);
    void emitParen(const Expr* expr, Context context);
    void emitGlobal(const std::string& name);
    void emitSuffixChain(const Expr* last);
    void emitSuffix(const Expr* suffix);
    void emitIndexSuffix(const Expr* expr);
    bool isReservedMethodCall(const Expr* expr) const;
    void openReservedMethodCall(const Expr* expr);
    void emitMethodSuffix(const Expr* expr);
    void emitArgs(const Expr* call);
    void emitString(const Expr* expr);
    void emitFunction(const FunctionBody* function);
    void emitConstructor(const Constructor* table);
    void emitFields(const std::vector<Field>& part);
    void emitField(const Field& field, bool last);
    bool isReservedName(std::string_view name) const;
    bool givesSeveralValues(const Expr* expr) const;

    const DialectSwitches& switches_;
    LineWriter& out_;
};

}  // namespace lua4::frontend

// Statements and functions of the emitter.
#include "platform/lua4/frontend/emitter.h"

namespace lua4::frontend {

// The chunk's own function is written inside a function that receives the
// private references the rewrites use.
void Emitter::emitChunk(const FunctionBody* main) {
    out_.put("local _4_next, _4_G = ... ; return function ( )");
    emitBlock(main->body);
    out_.put("end");
}

void Emitter::emitBlock(const Block* block) {
    for (const Stat* stat : block->stats) emitStatement(stat);
}

// Every statement ends with `;`, so that one starting with `(` can never be
// read as a call continuing the one before.
void Emitter::emitStatement(const Stat* stat) {
    out_.moveTo(stat->line);
    switch (stat->kind) {
        case StatKind::Assign:
            emitAssign(stat);
            break;
        case StatKind::Call:
            emitExpr(stat->expr, Context::Value);
            break;
        case StatKind::Local:
            emitLocal(stat);
            break;
        case StatKind::Return:
            emitReturn(stat);
            break;
        case StatKind::Break:
            out_.put("break");
            break;
        case StatKind::Do:
            emitDo(stat);
            break;
        case StatKind::While:
            emitWhile(stat);
            break;
        case StatKind::Repeat:
            emitRepeat(stat);
            break;
        case StatKind::If:
            emitIf(stat);
            break;
        case StatKind::NumericFor:
            emitNumericFor(stat);
            break;
        case StatKind::TableFor:
            emitTableFor(stat);
            break;
        case StatKind::Function:
            emitFunctionStatement(stat);
            break;
    }
    out_.attach(";");
}

void Emitter::emitAssign(const Stat* stat) {
    emitExprList(stat->targets);
    out_.put("=");
    emitExprList(stat->values);
}

void Emitter::emitLocal(const Stat* stat) {
    out_.put("local");
    emitLocalNames(stat->locals);
    if (stat->values.empty()) return;
    out_.put("=");
    emitExprList(stat->values);
}

void Emitter::emitLocalNames(const std::vector<LocalVar*>& locals) {
    for (std::size_t i = 0; i < locals.size(); ++i) {
        if (i > 0) out_.attach(",");
        out_.put(locals[i]->emittedName);
    }
}

void Emitter::emitReturn(const Stat* stat) {
    out_.put("return");
    emitExprList(stat->values);
}

void Emitter::emitDo(const Stat* stat) {
    out_.put("do");
    emitBlock(stat->body);
    out_.putAt(stat->endLine, "end");
}

void Emitter::emitWhile(const Stat* stat) {
    out_.put("while");
    emitExpr(stat->expr, Context::Test);
    emitLoopBody(stat);
}

void Emitter::emitLoopBody(const Stat* stat) {
    out_.put("do");
    emitBlock(stat->body);
    out_.putAt(stat->endLine, "end");
}

void Emitter::emitRepeat(const Stat* stat) {
    out_.put("repeat");
    emitBlock(stat->body);
    out_.putAt(stat->endLine, "until");
    emitExpr(stat->expr, Context::Test);
}

void Emitter::emitIf(const Stat* stat) {
    for (std::size_t i = 0; i < stat->clauses.size(); ++i) {
        const IfClause& clause = stat->clauses[i];
        out_.putAt(clause.line, i == 0 ? "if" : "elseif");
        emitExpr(clause.condition, Context::Test);
        out_.put("then");
        emitBlock(clause.body);
    }
    if (stat->elseBody) {
        out_.putAt(stat->elseLine, "else");
        emitBlock(stat->elseBody);
    }
    out_.putAt(stat->endLine, "end");
}

void Emitter::emitNumericFor(const Stat* stat) {
    out_.put("for");
    emitLocalNames(stat->locals);
    out_.put("=");
    emitExprList({stat->start, stat->limit});
    if (stat->step) {
        out_.attach(",");
        emitExpr(stat->step, Context::Value);
    }
    emitLoopBody(stat);
}

// `for k, v in t do` becomes Lua 5.1's generic for over the 4.0 `next`,
// with t in parentheses so that it gives exactly one value.
void Emitter::emitTableFor(const Stat* stat) {
    out_.put("for");
    emitLocalNames(stat->locals);
    out_.put("in");
    if (switches_.tableFor) {
        out_.put("_4_next, (");
        emitExpr(stat->expr, Context::Value);
        out_.put(")");
    } else {
        emitExpr(stat->expr, Context::Value);
    }
    emitLoopBody(stat);
}

// `function a.b()` is written as the assignment it stands for.
void Emitter::emitFunctionStatement(const Stat* stat) {
    emitExpr(stat->targets[0], Context::Value);
    out_.put("=");
    emitFunction(stat->function);
}

// A function that uses `%name` upvalues is wrapped in a function called at
// once with the values they have now:
//   (function (_4_uv_x) return function (...) ... end end)(x)
void Emitter::emitFunction(const FunctionBody* function) {
    bool wrap = switches_.percentUpvalues && !function->upvalues.empty();
    out_.moveTo(function->line);
    if (wrap) {
        out_.put("(function (");
        for (std::size_t i = 0; i < function->upvalues.size(); ++i) {
            if (i > 0) out_.attach(",");
            out_.put("_4_uv_" + function->upvalues[i].name);
        }
        out_.put(") return");
    }
    out_.put("function (");
    emitLocalNames(function->params);
    if (function->vararg) out_.put(function->params.empty() ? "..." : ", ...");
    out_.put(")");
    emitBlock(function->body);
    out_.putAt(function->endLine, "end");
    if (!wrap) return;
    out_.put("end )(");
    for (std::size_t i = 0; i < function->upvalues.size(); ++i) {
        if (i > 0) out_.attach(",");
        const UpvalueRef& upvalue = function->upvalues[i];
        if (upvalue.local) {
            out_.put(upvalue.local->emittedName);
        } else {
            emitGlobal(upvalue.name);
        }
    }
    out_.put(")");
}

}  // namespace lua4::frontend

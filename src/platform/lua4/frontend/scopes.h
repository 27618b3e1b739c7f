// Which names are locals where: one record per function being parsed, each
// with the locals currently in scope, innermost last.
#pragma once

#include <cstddef>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/lua4/frontend/ast.h"

namespace lua4::frontend {

class Scopes {
  public:
    void openFunction(FunctionBody* function);
    void closeFunction();
    FunctionBody* currentFunction() const;
    bool atMainChunk() const;

    // Blocks: the mark is how many locals were in scope when it opened.
    std::size_t openBlock() const;
    // The locals declared since mark, which go out of scope now.
    std::vector<LocalVar*> closeBlock(std::size_t mark);

    void activate(LocalVar* local);
    // How many locals of the current function are in scope.
    std::size_t activeCount() const;

    // A local of the current function with that name, or null.
    LocalVar* findLocal(std::string_view name) const;
    // A local of the function enclosing the current one, or null.
    LocalVar* findEnclosingLocal(std::string_view name) const;
    // A local in scope in a function further out than the current one (the
    // enclosing one included when includeEnclosing), innermost first; or null.
    LocalVar* findOuterLocal(std::string_view name, bool includeEnclosing) const;

    int loopDepth() const;
    void enterLoop();
    void leaveLoop();

  private:
    struct FunctionScope {
        FunctionBody* function;
        std::vector<LocalVar*> active;
        int loops = 0;
    };
    static LocalVar* find(const FunctionScope& scope, std::string_view name);
    bool anyInScope(std::string_view name) const;
    void leaveScope(const std::vector<LocalVar*>& locals);

    std::vector<FunctionScope> functions_;
    // How many locals of each name are in scope in all the functions: a
    // name that is none of them (a global) is known at once, without
    // scanning every function's locals.
    std::unordered_map<std::string_view, int> inScope_;
};

}  // namespace lua4::frontend

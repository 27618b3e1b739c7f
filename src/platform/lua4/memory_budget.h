// The allocator behind memory_limit.h: every state lua_open makes counts
// its memory in a budget, which lua_close frees with the state.
#pragma once

#include <cstddef>

#include "platform/lua4/lua51.h"

namespace lua4 {

// A new state whose allocations stop at limit bytes; null when even the
// state itself cannot be made.
lua_State* newBudgetedState(std::size_t limit);

// Closes a state made by newBudgetedState, and its budget.
void closeBudgetedState(lua_State* L);

// The state's ceiling; defaultMemoryLimit() for a state without a budget.
std::size_t memoryLimitOf(lua_State* L);

// While one lives, a state's ceiling is raised by a small reserve, so that
// a memory error can still be reported through the script's own handler.
// Does nothing on a state without a budget.
class MemoryReserve {
  public:
    explicit MemoryReserve(lua_State* L);
    ~MemoryReserve();
    MemoryReserve(const MemoryReserve&) = delete;
    MemoryReserve& operator=(const MemoryReserve&) = delete;

  private:
    struct Budget* budget_;
};

}  // namespace lua4

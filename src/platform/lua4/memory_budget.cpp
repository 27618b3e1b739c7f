#include "platform/lua4/memory_budget.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>

#include "platform/lua4/memory_limit.h"

namespace lua4 {

struct Budget {
    std::size_t used = 0;
    std::size_t limit = 0;
};

namespace {

constexpr std::size_t gibibyte = std::size_t{1} << 30;
// Enough for _ERRORMESSAGE to format and show a message.
constexpr std::size_t reportReserve = std::size_t{1} << 20;

bool withinBudget(const Budget& budget, std::size_t oldSize, std::size_t newSize) {
    if (newSize <= oldSize) return true;
    return budget.used <= budget.limit && newSize - oldSize <= budget.limit - budget.used;
}

// Lua 5.1's allocator contract: newSize 0 frees; a new block has oldSize 0;
// shrinking never fails.
void* allocate(void* data, void* block, std::size_t oldSize, std::size_t newSize) {
    auto* budget = static_cast<Budget*>(data);
    if (newSize == 0) {
        std::free(block);
        budget->used -= oldSize;
        return nullptr;
    }
    if (!withinBudget(*budget, oldSize, newSize)) return nullptr;
    void* resized = std::realloc(block, newSize);
    if (!resized && newSize > oldSize) return nullptr;
    budget->used = budget->used - oldSize + newSize;
    return resized ? resized : block;
}

// The state's budget, or null when it was made some other way.
Budget* budgetOf(lua_State* L) {
    void* data = nullptr;
    if (::lua_getallocf(L, &data) != allocate) return nullptr;
    return static_cast<Budget*>(data);
}

}  // namespace

std::size_t defaultMemoryLimit() {
    long pages = ::sysconf(_SC_PHYS_PAGES);
    long pageSize = ::sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0) return gibibyte;
    std::size_t physical = static_cast<std::size_t>(pages) * static_cast<std::size_t>(pageSize);
    return std::min(gibibyte, physical / 4);
}

void setMemoryLimit(lua_State* L, std::size_t bytes) {
    if (Budget* budget = budgetOf(L)) budget->limit = bytes;
}

std::size_t memoryLimitOf(lua_State* L) {
    Budget* budget = budgetOf(L);
    return budget ? budget->limit : defaultMemoryLimit();
}

lua_State* newBudgetedState(std::size_t limit) {
    auto* budget = new Budget{0, limit};
    lua_State* L = ::lua_newstate(allocate, budget);
    if (!L) delete budget;
    return L;
}

void closeBudgetedState(lua_State* L) {
    Budget* budget = budgetOf(L);
    ::lua_close(L);
    delete budget;
}

MemoryReserve::MemoryReserve(lua_State* L) : budget_(budgetOf(L)) {
    if (budget_) budget_->limit += reportReserve;
}

MemoryReserve::~MemoryReserve() {
    if (budget_) budget_->limit -= reportReserve;
}

}  // namespace lua4

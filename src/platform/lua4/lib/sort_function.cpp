// A heapsort over the table's positions: it never reads outside 1..n
// whatever the comparison answers, so an inconsistent comp cannot make it
// misbehave, only leave the order unspecified.
#include "platform/lua4/lib/sort_function.h"

#include "platform/lua4/lib/arguments.h"
#include "platform/lua4/lib/table_functions.h"

namespace lua4 {

namespace {

constexpr int table = 1;
constexpr int comparison = 2;

// True when t[a] must come before t[b]: comp(t[a], t[b]) gives a value, or
// without comp, t[a] < t[b] (numbers, strings or the "lt" tag method).
bool before(lua_State* L, int a, int b) {
    bool hasComparison = !lua_isnil(L, comparison);
    if (hasComparison) ::lua_pushvalue(L, comparison);
    ::lua_rawgeti(L, table, a);
    ::lua_rawgeti(L, table, b);
    if (!hasComparison) {
        bool less = ::lua_lessthan(L, -2, -1) != 0;
        popValues(L, 2);
        return less;
    }
    ::lua_call(L, 2, 1);
    bool result = ::lua_toboolean(L, -1) != 0;
    popValues(L, 1);
    return result;
}

void swap(lua_State* L, int a, int b) {
    ::lua_rawgeti(L, table, a);
    ::lua_rawgeti(L, table, b);
    ::lua_rawseti(L, table, a);
    ::lua_rawseti(L, table, b);
}

// Moves t[root] down the heap of positions 1..size.
void siftDown(lua_State* L, int root, int size) {
    while (root <= size / 2) {
        int child = 2 * root;
        if (child < size && before(L, child, child + 1)) ++child;
        if (!before(L, root, child)) return;
        swap(L, root, child);
        root = child;
    }
}

}  // namespace

int sort40(lua_State* L) {
    checkTable(L, table, "sort");
    if (!lua_isnoneornil(L, comparison)) checkFunction(L, comparison, "sort");
    ::lua_settop(L, comparison);
    int size = tableSize(L, table);
    for (int root = size / 2; root >= 1; --root) siftDown(L, root, size);
    for (int last = size; last > 1; --last) {
        swap(L, 1, last);
        siftDown(L, 1, last - 1);
    }
    return 0;
}

}  // namespace lua4

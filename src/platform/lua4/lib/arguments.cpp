#include "platform/lua4/lib/arguments.h"

#include <cmath>

#include "platform/lua4/library_support.h"

namespace lua4 {

namespace {

// Table positions stay well inside int, so that n + 1 cannot overflow.
constexpr double largestIndex = 1 << 30;

}  // namespace

void checkTable(lua_State* L, int index, const char* function) {
    if (!lua_istable(L, index)) argumentError(L, index, function, "table expected");
}

void checkFunction(lua_State* L, int index, const char* function) {
    if (!lua_isfunction(L, index)) argumentError(L, index, function, "function expected");
}

void checkValue(lua_State* L, int index, const char* function) {
    if (lua_isnone(L, index)) argumentError(L, index, function, "value expected");
}

const char* checkText(lua_State* L, int index, const char* function) {
    const char* text = lua4::lua_tostring(L, index);
    if (!text) argumentError(L, index, function, "string expected");
    return text;
}

int clampToIndex(double value) {
    if (std::isnan(value)) return 0;
    return static_cast<int>(std::trunc(std::fmax(-largestIndex, std::fmin(largestIndex, value))));
}

int checkIndex(lua_State* L, int index, const char* function) {
    return clampToIndex(checkNumber(L, index, function));
}

}  // namespace lua4

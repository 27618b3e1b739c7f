#include "app/script_args.h"

#include <climits>
#include <cmath>

#include "platform/lua4/lua4.h"

float floatArg(lua_State* L, int position) {
    return static_cast<float>(lua4::lua_tonumber(L, position));
}

int integerArg(lua_State* L, int position) {
    return truncateToInt(lua4::lua_tonumber(L, position));
}

int truncateToInt(double value) {
    double truncated = std::trunc(value);
    if (!(truncated >= INT_MIN && truncated <= INT_MAX)) return INT_MIN;
    return static_cast<int>(truncated);
}

const char* stringArg(lua_State* L, int position) {
    return lua4::lua_tostring(L, position);
}

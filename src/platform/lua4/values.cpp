// Reading stack values with the Lua 4.0 conversions.
#include <cstddef>

#include "platform/lua4/lua4.h"
#include "platform/lua4/lua51.h"
#include "platform/lua4/numeral.h"

namespace lua4 {

namespace {

// Texts of numbers that lua_tostring handed out are kept in a ring in the
// registry, so they outlive the call without the number on the stack
// turning into a string.
char numberTextRing;
constexpr int numberTextRingSize = 64;

bool isPseudoIndex(int index) {
    return index <= LUA_REGISTRYINDEX;
}

// A position that holds a value; 4.0 reads missing arguments as absent.
bool holdsValue(lua_State* L, int index) {
    if (isPseudoIndex(index)) return true;
    int top = ::lua_gettop(L);
    return index != 0 && (index > 0 ? index <= top : -index <= top);
}

bool numeralAt(lua_State* L, int index, double& value) {
    std::size_t length = 0;
    const char* text = ::lua_tolstring(L, index, &length);
    return parseDecimalNumeral(std::string_view(text, length), value);
}

void pushNumberTextRing(lua_State* L) {
    ::lua_pushlightuserdata(L, &numberTextRing);
    ::lua_rawget(L, LUA_REGISTRYINDEX);
    if (!lua_isnil(L, -1)) return;
    popValues(L, 1);
    ::lua_createtable(L, numberTextRingSize, 1);
    ::lua_pushlightuserdata(L, &numberTextRing);
    ::lua_pushvalue(L, -2);
    ::lua_rawset(L, LUA_REGISTRYINDEX);
}

// Converts a copy of the number and keeps the copy in the ring.
const char* keptNumberText(lua_State* L, int index) {
    ::lua_checkstack(L, 4);
    ::lua_pushvalue(L, index);
    const char* text = ::lua_tolstring(L, -1, nullptr);
    pushNumberTextRing(L);
    ::lua_rawgeti(L, -1, 0);
    int slot = (static_cast<int>(::lua_tointeger(L, -1)) + 1) % numberTextRingSize;
    popValues(L, 1);
    ::lua_pushvalue(L, -2);
    ::lua_rawseti(L, -2, slot + 1);
    ::lua_pushinteger(L, slot);
    ::lua_rawseti(L, -2, 0);
    popValues(L, 2);
    return text;
}

}  // namespace

double lua_tonumber(lua_State* L, int index) {
    if (!holdsValue(L, index)) return 0;
    int type = ::lua_type(L, index);
    if (type == LUA_TNUMBER) return ::lua_tonumber(L, index);
    double value = 0;
    if (type == LUA_TSTRING && numeralAt(L, index, value)) return value;
    return 0;
}

const char* lua_tostring(lua_State* L, int index) {
    if (!holdsValue(L, index)) return nullptr;
    int type = ::lua_type(L, index);
    if (type == LUA_TSTRING) return ::lua_tolstring(L, index, nullptr);
    if (type == LUA_TNUMBER) return keptNumberText(L, index);
    return nullptr;
}

int lua_isnumber(lua_State* L, int index) {
    if (!holdsValue(L, index)) return 0;
    int type = ::lua_type(L, index);
    double value;
    return type == LUA_TNUMBER || (type == LUA_TSTRING && numeralAt(L, index, value));
}

int lua_isstring(lua_State* L, int index) {
    if (!holdsValue(L, index)) return 0;
    int type = ::lua_type(L, index);
    return type == LUA_TNUMBER || type == LUA_TSTRING;
}

}  // namespace lua4

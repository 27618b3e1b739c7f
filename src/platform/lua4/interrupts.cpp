// Stopping a running script from outside it: a count hook asks a check
// function, kept in the registry, and raises a script error when told to.
#include <cstring>

#include "platform/lua4/lua4.h"
#include "platform/lua4/lua51.h"

namespace {

constexpr int kInstructionsBetweenChecks = 10000;
const char kCheckKey = 0;  // its address names the registry entry

using Check = bool (*)();

Check storedCheck(lua_State* L) {
    lua_pushlightuserdata(L, const_cast<char*>(&kCheckKey));
    lua_rawget(L, LUA_REGISTRYINDEX);
    Check check = nullptr;
    if (lua_isuserdata(L, -1)) std::memcpy(&check, lua_touserdata(L, -1), sizeof check);
    lua4::popValues(L, 1);
    return check;
}

void interruptHook(lua_State* L, lua_Debug*) {
    const Check check = storedCheck(L);
    if (check && check()) lua4::lua_error(L, "script interrupted");
}

}  // namespace

namespace lua4 {

void setInterruptCheck(lua_State* L, bool (*check)()) {
    lua_pushlightuserdata(L, const_cast<char*>(&kCheckKey));
    if (check) {
        void* slot = lua_newuserdata(L, sizeof check);
        std::memcpy(slot, &check, sizeof check);
    } else {
        ::lua_pushnil(L);
    }
    lua_rawset(L, LUA_REGISTRYINDEX);
    lua_sethook(L, check ? interruptHook : nullptr, check ? LUA_MASKCOUNT : 0,
                kInstructionsBetweenChecks);
}

}  // namespace lua4

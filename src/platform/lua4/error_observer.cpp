#include "platform/lua4/error_observer.h"

#include <cctype>
#include <cstring>

#include "platform/lua4/lua51.h"

namespace lua4 {

namespace {

// Its address is the registry key of the observer.
char observerKey;

ErrorObserver* observerOf(lua_State* L) {
    ::lua_pushlightuserdata(L, &observerKey);
    ::lua_rawget(L, LUA_REGISTRYINDEX);
    auto* observer = static_cast<ErrorObserver*>(::lua_touserdata(L, -1));
    popValues(L, 1);
    return observer;
}

// Errors found while compiling carry their place as "chunk:line: ", the
// form of Lua's own messages and of the 4.0 translation's.
int lineInMessage(const char* message) {
    const char* colon = std::strchr(message, ':');
    if (colon == nullptr || !std::isdigit(static_cast<unsigned char>(colon[1]))) return 0;
    int line = 0;
    const char* digit = colon + 1;
    for (; std::isdigit(static_cast<unsigned char>(*digit)) && line < 100000000; ++digit)
        line = line * 10 + (*digit - '0');
    return *digit == ':' ? line : 0;
}

}  // namespace

void setErrorObserver(lua_State* L, ErrorObserver* observer) {
    ::lua_pushlightuserdata(L, &observerKey);
    if (observer != nullptr)
        ::lua_pushlightuserdata(L, observer);
    else
        ::lua_pushnil(L);
    ::lua_rawset(L, LUA_REGISTRYINDEX);
}

void notifyErrorObserver(lua_State* L, const char* message) {
    ErrorObserver* observer = observerOf(L);
    if (observer == nullptr) return;
    const int running = currentScriptLine(L);
    observer->scriptError(message, running > 0 ? running : lineInMessage(message));
}

int currentScriptLine(lua_State* L) {
    lua_Debug frame{};
    for (int level = 0; ::lua_getstack(L, level, &frame) != 0; ++level) {
        if (::lua_getinfo(L, "l", &frame) != 0 && frame.currentline > 0) return frame.currentline;
    }
    return 0;
}

}  // namespace lua4

#include "platform/lua4/errors.h"

#include "platform/lua4/error_observer.h"
#include "platform/lua4/lua4.h"
#include "platform/lua4/memory_budget.h"

namespace lua4 {

namespace {

// Error objects of errors whose message has already been through
// _ERRORMESSAGE: their addresses are the markers.
char reportedError;
char handlerFailed;

bool isMarker(lua_State* L, int index) {
    void* object = ::lua_touserdata(L, index);
    return object == &reportedError || object == &handlerFailed;
}

void pushMarker(lua_State* L, bool reported) {
    ::lua_pushlightuserdata(L, reported ? &reportedError : &handlerFailed);
}

}  // namespace

// The handler is looked up raw: this also runs outside any protected call,
// where a failing getglobal tag method would take the process down.
bool reportErrorMessage(lua_State* L, const char* message) {
    notifyErrorObserver(L, message);
    ::lua_pushliteral(L, "_ERRORMESSAGE");
    ::lua_rawget(L, LUA_GLOBALSINDEX);
    if (lua_isnil(L, -1)) {
        popValues(L, 1);
        return true;
    }
    ::lua_pushstring(L, message);
    if (::lua_pcall(L, 1, 0, 0) == 0) return true;
    popValues(L, 1);
    return false;
}

bool reportMemoryError(lua_State* L) {
    MemoryReserve reserve(L);
    return reportErrorMessage(L, "not enough memory");
}

void reportMemoryErrorInPlace(lua_State* L) {
    popValues(L, 1);
    pushMarker(L, reportMemoryError(L));
}

int errorHandler(lua_State* L) {
    if (isMarker(L, 1)) return 1;
    const char* message = ::lua_tolstring(L, 1, nullptr);
    bool reported = reportErrorMessage(L, message ? message : "(error object is not a string)");
    pushMarker(L, reported);
    return 1;
}

bool isHandlerFailure(lua_State* L, int index) {
    return ::lua_touserdata(L, index) == &handlerFailed;
}

void lua_error(lua_State* L, const char* message) {
    bool reported = message == nullptr || reportErrorMessage(L, message);
    pushMarker(L, reported);
    ::lua_error(L);
    // ::lua_error does not return; this keeps the compiler sure of it.
    __builtin_unreachable();
}

}  // namespace lua4

// How errors travel between Lua 5.1 and the Lua 4.0 conventions: every
// error is shown through the script's _ERRORMESSAGE exactly once, at the
// point where it happens.
#pragma once

#include "platform/lua4/lua51.h"

namespace lua4 {

// Calls the global _ERRORMESSAGE with message, unless it is nil. False
// when the handler itself failed (its error is dropped, as it is not
// reported a second time).
bool reportErrorMessage(lua_State* L, const char* message);

// Reports Lua 5.1's "not enough memory" through _ERRORMESSAGE, as any
// other error (Lua 4.0 left memory errors unreported), with a little memory
// set aside for the handler. False when the handler itself failed.
bool reportMemoryError(lua_State* L);

// The error object of a memory error on top of the stack is reported and
// replaced with the object of an error already reported, to be passed on.
void reportMemoryErrorInPlace(lua_State* L);

// The error function of every protected run: reports an error that has
// not been reported yet and passes the error object on.
int errorHandler(lua_State* L);

// True when the error object at index says the report went wrong, so the
// run ends with ERRERR.
bool isHandlerFailure(lua_State* L, int index);

}  // namespace lua4

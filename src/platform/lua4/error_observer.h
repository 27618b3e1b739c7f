// Lets a tool learn of every script error as it is reported, with the
// script line it happened on, without reading what _ERRORMESSAGE prints.
// The observer is kept in the state itself; the report goes on as before.
#pragma once

struct lua_State;

namespace lua4 {

class ErrorObserver {
  public:
    virtual ~ErrorObserver() = default;
    // line is 0 when no script line is known. It must not raise errors.
    virtual void scriptError(const char* message, int line) = 0;
};

// Null stops observing. The observer must outlive its use by the state.
void setErrorObserver(lua_State* L, ErrorObserver* observer);

// Called for every error on its way to _ERRORMESSAGE.
void notifyErrorObserver(lua_State* L, const char* message);

// The line of the innermost script function running in L, 0 when none.
int currentScriptLine(lua_State* L);

}  // namespace lua4

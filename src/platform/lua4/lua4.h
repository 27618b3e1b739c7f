// The Lua 4.0 C calls the engine makes, with Lua 4.0 meanings, running on
// Lua 5.1. Lua 5.1's own lua.h defines macros and functions with the same
// names, so this header never includes it and everything lives in
// namespace lua4.
#pragma once

#include <cstddef>

struct lua_State;

namespace lua4 {

using lua_CFunction = int (*)(lua_State*);

// Results of lua_dofile, lua_dostring and lua_dobuffer; 0 is success.
enum ChunkStatus : int {
    ERRRUN = 2,     // error while running
    ERRSYNTAX = 3,  // error while compiling
    ERRMEM = 4,     // out of memory (see memory_limit.h)
    ERRERR = 5,     // error inside _ERRORMESSAGE itself
    ERRFILE = 6,    // the file cannot be read (lua_dofile only)
};

// A new state with no globals at all; stacksize 0 means the default. Its
// memory has a ceiling (memory_limit.h).
lua_State* lua_open(int stacksize);
void lua_close(lua_State* L);

// Stores f as the global `name` (lua_pushcclosure with 0 upvalues, then
// lua_setglobal).
void lua_register(lua_State* L, const char* name, lua_CFunction f);
void lua_pushcclosure(lua_State* L, lua_CFunction f, int upvalues);
void lua_setglobal(lua_State* L, const char* name);
void lua_getglobal(lua_State* L, const char* name);

// The Lua 4.0 libraries: base (_ALERT, _ERRORMESSAGE, print, ...) and math
// (trigonometry in degrees, PI, ...).
void lua_baselibopen(lua_State* L);
void lua_mathlibopen(lua_State* L);

int lua_gettop(lua_State* L);
void lua_settop(lua_State* L, int index);
void lua_pushnil(lua_State* L);
void lua_pushnumber(lua_State* L, double n);
void lua_pushstring(lua_State* L, const char* s);

// 0 for a value that is neither a number nor a numeric string, and for a
// missing argument.
double lua_tonumber(lua_State* L, int index);
// The string, or a number's text; null for anything else and for a missing
// argument. A number on the stack stays a number. A string's text lives as
// long as the string is on the stack; a number's text is kept for the next
// 63 conversions of numbers.
const char* lua_tostring(lua_State* L, int index);
// Numbers and numeric strings.
int lua_isnumber(lua_State* L, int index);
// Strings and numbers.
int lua_isstring(lua_State* L, int index);

// Passes message (unless null) to the global _ERRORMESSAGE, then abandons
// the running chunk. Never returns. It unwinds with longjmp: no object with
// a destructor may be alive in the C++ frames it leaves. Outside a running
// chunk it ends the process with EXIT_FAILURE.
[[noreturn]] void lua_error(lua_State* L, const char* message);

// Run a chunk. 0 on success, with the chunk's results pushed on the stack;
// otherwise a ChunkStatus, the error having been passed to _ERRORMESSAGE.
int lua_dofile(lua_State* L, const char* filename);
int lua_dostring(lua_State* L, const char* text);
int lua_dobuffer(lua_State* L, const char* buffer, std::size_t size, const char* name);

// Asks `check` every few thousand instructions of running script whether
// the script must stop; when it answers true the running chunk ends with the
// error "script interrupted". Null stops asking.
void setInterruptCheck(lua_State* L, bool (*check)());

}  // namespace lua4

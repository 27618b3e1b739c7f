// How script commands read their arguments: by position from 1, numbers
// through lua_tonumber (missing or non-numeric reads 0), strings through
// lua_tostring (a number gives its text, anything else none).
#pragma once

struct lua_State;

// A time or other real value, in single precision.
float floatArg(lua_State* L, int position);

// A number truncated toward zero to a 32-bit integer, as layer ids, type ids
// and colour components are read. NaN and values outside the 32-bit range
// give INT_MIN, as the x86 conversion does, so they never name a layer.
int integerArg(lua_State* L, int position);
int truncateToInt(double value);

// The text of the argument, or null.
const char* stringArg(lua_State* L, int position);

// Argument checks of the 4.0 base library, raising 4.0 script errors
// ("bad argument #1 to 'getn' (table expected)").
#pragma once

#include "platform/lua4/lua51.h"

namespace lua4 {

void checkTable(lua_State* L, int index, const char* function);
void checkFunction(lua_State* L, int index, const char* function);
void checkValue(lua_State* L, int index, const char* function);
// A string or a number's text.
const char* checkText(lua_State* L, int index, const char* function);
// A number, truncated toward zero and kept within the range the table
// functions can index.
int checkIndex(lua_State* L, int index, const char* function);
int clampToIndex(double value);

}  // namespace lua4

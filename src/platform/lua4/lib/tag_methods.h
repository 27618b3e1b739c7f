// Lua 4.0 tags and tag methods, carried by Lua 5.1 metatables as far as they
// reach: a user tag (newtag) is one metatable shared by the tables tagged
// with it; the tags of nil, numbers, strings and functions are the type
// metatables of Lua 5.1; getglobal and setglobal methods of the nil tag are
// the metatable of the table of globals. Tag methods on all tables at once
// (the default table tag), on userdata, and getglobal/setglobal methods of
// other tags have no Lua 5.1 counterpart: settagmethod refuses them.
#pragma once

#include "platform/lua4/lua51.h"

namespace lua4 {

// The 4.0 numbers of the built-in tags, one per type.
enum BuiltInTag : int {
    userdataTag = 0,
    nilTag = 1,
    numberTag = 2,
    stringTag = 3,
    tableTag = 4,
    functionTag = 5,
    firstUserTag = 6,
};

int tagOf(lua_State* L, int index);
// Gives the current table of globals the getglobal/setglobal methods.
void applyGlobalsTagMethods(lua_State* L);

int newtag40(lua_State* L);
int settag40(lua_State* L);
int tag40(lua_State* L);
int settagmethod40(lua_State* L);
int gettagmethod40(lua_State* L);
int copytagmethods40(lua_State* L);

}  // namespace lua4

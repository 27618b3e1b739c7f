#include "platform/lua4/lib/tag_methods.h"

#include <cstring>
#include <initializer_list>

#include "platform/lua4/lib/arguments.h"
#include "platform/lua4/library_support.h"

namespace lua4 {

namespace {

// The registry entry holding this state's tags: the last tag given out,
// the methods set per tag, the metatable of each user tag, and the
// metatable of the table of globals.
char tagStateKey;

struct Event {
    const char* name;
    // The Lua 5.1 metamethod carrying it; null for getglobal/setglobal.
    const char* metamethod;
};

constexpr Event events[] = {
    {"add", "__add"},        {"sub", "__sub"},           {"mul", "__mul"},
    {"div", "__div"},        {"pow", "__pow"},           {"unm", "__unm"},
    {"lt", "__lt"},          {"concat", "__concat"},     {"index", "__index"},
    {"gettable", "__index"}, {"settable", "__newindex"}, {"function", "__call"},
    {"getglobal", nullptr},  {"setglobal", nullptr},     {"gc", nullptr},
};

const Event* findEvent(const char* name) {
    for (const Event& event : events) {
        if (std::strcmp(event.name, name) == 0) return &event;
    }
    return nullptr;
}

void pushTagState(lua_State* L) {
    ::lua_pushlightuserdata(L, &tagStateKey);
    ::lua_rawget(L, LUA_REGISTRYINDEX);
    if (lua_istable(L, -1)) return;
    popValues(L, 1);
    ::lua_createtable(L, 0, 4);
    ::lua_pushinteger(L, firstUserTag - 1);
    ::lua_setfield(L, -2, "last");
    for (const char* part : {"methods", "metatables", "globals"}) {
        ::lua_newtable(L);
        ::lua_setfield(L, -2, part);
    }
    ::lua_pushlightuserdata(L, &tagStateKey);
    ::lua_pushvalue(L, -2);
    ::lua_rawset(L, LUA_REGISTRYINDEX);
}

// Pushes part[key] of the tag state (created as a table when absent).
void pushStatePart(lua_State* L, const char* part, int key) {
    pushTagState(L);
    ::lua_getfield(L, -1, part);
    ::lua_remove(L, -2);
    if (key < 0) return;
    ::lua_rawgeti(L, -1, key);
    if (lua_isnil(L, -1)) {
        popValues(L, 1);
        ::lua_newtable(L);
        ::lua_pushvalue(L, -1);
        ::lua_rawseti(L, -3, key);
    }
    ::lua_remove(L, -2);
}

int lastTag(lua_State* L) {
    pushTagState(L);
    ::lua_getfield(L, -1, "last");
    int last = static_cast<int>(::lua_tointeger(L, -1));
    popValues(L, 2);
    return last;
}

int userTagOf(lua_State* L, int index) {
    if (!::lua_getmetatable(L, index)) return 0;
    ::lua_getfield(L, -1, "__tag");
    int tag = ::lua_type(L, -1) == LUA_TNUMBER ? static_cast<int>(::lua_tointeger(L, -1)) : 0;
    popValues(L, 2);
    return tag;
}

int checkTag(lua_State* L, int index, const char* function) {
    int tag = checkIndex(L, index, function);
    if (tag < 0 || tag > lastTag(L)) argumentError(L, index, function, "invalid tag");
    return tag;
}

const Event* checkEvent(lua_State* L, int index, const char* function) {
    const Event* event = findEvent(checkText(L, index, function));
    if (!event) argumentError(L, index, function, "invalid event name");
    return event;
}

bool carriedByMetatables(int tag, const Event& event) {
    if (!event.metamethod) return tag == nilTag && std::strcmp(event.name, "gc") != 0;
    return tag != tableTag && tag != userdataTag;
}

void checkSupported(lua_State* L, int tag, const Event& event) {
    if (std::strcmp(event.name, "gc") == 0)
        argumentError(L, 2, "settagmethod", "cannot set a 'gc' tag method from Lua");
    if (carriedByMetatables(tag, event)) return;
    ::lua_pushfstring(L, "'%s' tag methods for tag %d are not supported", event.name, tag);
    lua4::lua_error(L, ::lua_tolstring(L, -1, nullptr));
}

// A value of the type whose built-in tag this is.
void pushSampleOf(lua_State* L, int tag) {
    switch (tag) {
        case numberTag:
            ::lua_pushnumber(L, 0);
            break;
        case stringTag:
            ::lua_pushstring(L, "");
            break;
        case functionTag:
            ::lua_pushcclosure(L, tag40, 0);
            break;
        default:
            ::lua_pushnil(L);
            break;
    }
}

// The metatable carrying the methods of tag: a user tag's own, or the
// Lua 5.1 metatable of the built-in tag's type.
void pushMetatableOf(lua_State* L, int tag) {
    if (tag >= firstUserTag) {
        pushStatePart(L, "metatables", tag);
        return;
    }
    pushSampleOf(L, tag);
    if (::lua_getmetatable(L, -1)) {
        ::lua_remove(L, -2);
        return;
    }
    ::lua_newtable(L);
    ::lua_pushvalue(L, -1);
    ::lua_setmetatable(L, -3);
    ::lua_remove(L, -2);
}

// Pushes the method for event (nil if none) from the methods table on top.
void pushMethod(lua_State* L, const char* event) {
    ::lua_getfield(L, -1, event);
}

// Lua 5.1 passes the operand twice to __unm; 4.0 passes it and nil.
int unaryMinusAdapter(lua_State* L) {
    ::lua_pushvalue(L, lua_upvalueindex(1));
    ::lua_pushvalue(L, 1);
    ::lua_pushnil(L);
    ::lua_call(L, 2, 1);
    return 1;
}

// getglobal methods receive the name and the current value (nil).
int getglobalAdapter(lua_State* L) {
    ::lua_pushvalue(L, lua_upvalueindex(1));
    ::lua_pushvalue(L, 2);
    ::lua_pushnil(L);
    ::lua_call(L, 2, 1);
    return 1;
}

// setglobal methods receive the name, the current value (nil) and the new.
int setglobalAdapter(lua_State* L) {
    ::lua_pushvalue(L, lua_upvalueindex(1));
    ::lua_pushvalue(L, 2);
    ::lua_pushnil(L);
    ::lua_pushvalue(L, 3);
    ::lua_call(L, 3, 0);
    return 0;
}

// Pushes method (on top) wrapped in adapter, or leaves nil as it is.
void wrapMethod(lua_State* L, lua_CFunction adapter) {
    if (lua_isnil(L, -1)) return;
    ::lua_pushcclosure(L, adapter, 1);
}

// Pushes what the metamethod for event gets for tag.
void pushMetamethodValue(lua_State* L, int tag, const Event& event) {
    pushStatePart(L, "methods", tag);
    bool indexEvent = std::strcmp(event.metamethod, "__index") == 0;
    pushMethod(L, indexEvent ? "gettable" : event.name);
    if (indexEvent && lua_isnil(L, -1)) {
        popValues(L, 1);
        pushMethod(L, "index");
    }
    if (std::strcmp(event.name, "unm") == 0) wrapMethod(L, unaryMinusAdapter);
    ::lua_remove(L, -2);
}

void rebuildGlobalsMetatable(lua_State* L) {
    pushStatePart(L, "globals", -1);
    pushStatePart(L, "methods", nilTag);
    pushMethod(L, "getglobal");
    wrapMethod(L, getglobalAdapter);
    ::lua_setfield(L, -3, "__index");
    pushMethod(L, "setglobal");
    wrapMethod(L, setglobalAdapter);
    ::lua_setfield(L, -3, "__newindex");
    popValues(L, 2);
}

void applyEvent(lua_State* L, int tag, const Event& event) {
    if (!event.metamethod) {
        rebuildGlobalsMetatable(L);
        applyGlobalsTagMethods(L);
        return;
    }
    pushMetatableOf(L, tag);
    pushMetamethodValue(L, tag, event);
    ::lua_setfield(L, -2, event.metamethod);
    popValues(L, 1);
}

// Sets method (at index value) for event of tag; pushes the old one.
void setMethod(lua_State* L, int tag, const Event& event, int value) {
    if (value < 0) value = ::lua_gettop(L) + value + 1;
    pushStatePart(L, "methods", tag);
    ::lua_getfield(L, -1, event.name);
    ::lua_pushvalue(L, value);
    ::lua_setfield(L, -3, event.name);
    ::lua_remove(L, -2);
    applyEvent(L, tag, event);
}

}  // namespace

int tagOf(lua_State* L, int index) {
    int type = ::lua_type(L, index);
    switch (type) {
        case LUA_TNONE:
        case LUA_TNIL:
            return nilTag;
        case LUA_TBOOLEAN:
            return ::lua_toboolean(L, index) ? numberTag : nilTag;
        case LUA_TNUMBER:
            return numberTag;
        case LUA_TSTRING:
            return stringTag;
        case LUA_TFUNCTION:
            return functionTag;
        case LUA_TTABLE:
        case LUA_TUSERDATA: {
            int tag = userTagOf(L, index);
            if (tag) return tag;
            return type == LUA_TTABLE ? tableTag : userdataTag;
        }
        default:
            return userdataTag;
    }
}

void applyGlobalsTagMethods(lua_State* L) {
    pushStatePart(L, "globals", -1);
    if (::lua_getmetatable(L, LUA_GLOBALSINDEX)) {
        bool ours = ::lua_rawequal(L, -1, -2) != 0;
        popValues(L, 1);
        if (!ours) {
            popValues(L, 1);
            return;
        }
    }
    ::lua_setmetatable(L, LUA_GLOBALSINDEX);
}

int newtag40(lua_State* L) {
    int tag = lastTag(L) + 1;
    pushTagState(L);
    ::lua_pushinteger(L, tag);
    ::lua_setfield(L, -2, "last");
    popValues(L, 1);
    pushStatePart(L, "metatables", tag);
    ::lua_pushinteger(L, tag);
    ::lua_setfield(L, -2, "__tag");
    ::lua_pushinteger(L, tag);
    return 1;
}

// settag(t, tag): gives the table t a user tag (or back the table tag).
int settag40(lua_State* L) {
    checkTable(L, 1, "settag");
    int tag = checkTag(L, 2, "settag");
    ::lua_settop(L, 1);
    if (tag == tableTag) {
        ::lua_pushnil(L);
    } else if (tag >= firstUserTag) {
        pushMetatableOf(L, tag);
    } else {
        argumentError(L, 2, "settag", "tag cannot be given to a table");
    }
    ::lua_setmetatable(L, 1);
    return 1;
}

int tag40(lua_State* L) {
    checkValue(L, 1, "tag");
    ::lua_pushinteger(L, tagOf(L, 1));
    return 1;
}

// settagmethod(tag, event, method): returns the method it replaces.
int settagmethod40(lua_State* L) {
    int tag = checkTag(L, 1, "settagmethod");
    const Event* event = checkEvent(L, 2, "settagmethod");
    if (!lua_isnoneornil(L, 3) && !lua_isfunction(L, 3))
        argumentError(L, 3, "settagmethod", "function or nil expected");
    checkSupported(L, tag, *event);
    ::lua_settop(L, 3);
    setMethod(L, tag, *event, 3);
    return 1;
}

int gettagmethod40(lua_State* L) {
    int tag = checkTag(L, 1, "gettagmethod");
    const Event* event = checkEvent(L, 2, "gettagmethod");
    pushStatePart(L, "methods", tag);
    ::lua_getfield(L, -1, event->name);
    return 1;
}

// copytagmethods(tagto, tagfrom): returns tagto.
int copytagmethods40(lua_State* L) {
    int to = checkTag(L, 1, "copytagmethods");
    int from = checkTag(L, 2, "copytagmethods");
    ::lua_settop(L, 2);
    pushStatePart(L, "methods", from);
    int methods = ::lua_gettop(L);
    for (const Event& event : events) {
        ::lua_getfield(L, methods, event.name);
        if (!lua_isnil(L, -1)) {
            checkSupported(L, to, event);
            setMethod(L, to, event, -1);
            popValues(L, 1);
        }
        popValues(L, 1);
    }
    ::lua_pushinteger(L, to);
    return 1;
}

}  // namespace lua4

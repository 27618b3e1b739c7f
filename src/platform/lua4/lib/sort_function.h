// sort(t [, comp]): sorts t[1..getn(t)] in place.
#pragma once

#include "platform/lua4/lua51.h"

namespace lua4 {

int sort40(lua_State* L);

}  // namespace lua4

// The script command that names the production's music file.
#pragma once

struct lua_State;

// loadmusic(path): exactly one argument, a string or a number (taken as
// its text); anything else raises "Bad params for loadmusic". Loads the
// file into the process-wide music player. Returns no values.
int loadmusic(lua_State* L);

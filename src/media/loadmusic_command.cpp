#include "media/loadmusic_command.h"

#include "media/music_player.h"
#include "platform/lua4/lua4.h"

namespace {

// Kept apart from the command: lua_error unwinds with longjmp, so no object
// with a destructor may be alive in the command's own frame.
void loadMusicFile(const char* path) {
    musicPlayer().load(path);
}

}  // namespace

int loadmusic(lua_State* L) {
    if (lua4::lua_gettop(L) != 1) lua4::lua_error(L, "Bad params for loadmusic");
    const char* path = lua4::lua_tostring(L, 1);
    if (!path) lua4::lua_error(L, "Bad params for loadmusic");
    loadMusicFile(path);
    return 0;
}

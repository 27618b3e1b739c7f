// The texture store's script commands. None returns a value to the script.
#include "app/script_args.h"
#include "media/texture_store.h"
#include "platform/lua4/lua4.h"

namespace {

// Kept apart from the commands: lua_error unwinds with longjmp, so no object
// with a destructor may be alive in a command's own frame.
void loadFile(const char* name) {
    textureStore().loadTexture(name);
}

void loadWithAlpha(const char* name, const char* alphaName) {
    textureStore().loadAlphaTexture(name, alphaName);
}

void createCapture(const char* name, int width, int height) {
    textureStore().createCaptureTexture(name, width, height);
}

// loadtexture(name)
int loadtextureCommand(lua_State* L) {
    const char* name = lua4::lua_gettop(L) == 1 ? stringArg(L, 1) : nullptr;
    if (name == nullptr) lua4::lua_error(L, "Bad params for loadtexture");
    loadFile(name);
    return 0;
}

// loadalphatexture(name, alphaName)
int loadalphatextureCommand(lua_State* L) {
    const bool two = lua4::lua_gettop(L) == 2;
    const char* name = two ? stringArg(L, 1) : nullptr;
    const char* alphaName = two ? stringArg(L, 2) : nullptr;
    if (name == nullptr || alphaName == nullptr)
        lua4::lua_error(L, "Bad params for loadalphatexture");
    loadWithAlpha(name, alphaName);
    return 0;
}

// createcapturetexture(name, width, height)
int createcapturetextureCommand(lua_State* L) {
    const char* name = lua4::lua_gettop(L) == 3 ? stringArg(L, 1) : nullptr;
    if (name == nullptr) lua4::lua_error(L, "Bad params for createcapturetexture");
    createCapture(name, integerArg(L, 2), integerArg(L, 3));
    return 0;
}

}  // namespace

void TextureStore::registerCommands(lua_State* L) {
    lua4::lua_register(L, "loadtexture", loadtextureCommand);
    lua4::lua_register(L, "loadalphatexture", loadalphatextureCommand);
    lua4::lua_register(L, "createcapturetexture", createcapturetextureCommand);
}

#include "effects/scene_commands.h"

#include "app/layer_command.h"
#include "app/script_args.h"
#include "effects/scene_effect.h"
#include "platform/lua4/lua4.h"
#include "scene/scene_loading.h"

namespace {

// Kept apart from the command: lua_error unwinds with longjmp, so no object
// with a destructor may be alive in the command's own frame.
void loadNamedScene(const char* name) {
    loadScene(name ? name : "");
}

// The scene effect of the layer named by argument 2, if it is one. May
// raise the out-of-range script error.
SceneEffect* sceneLayer(lua_State* L) {
    return static_cast<SceneEffect*>(layerForEffectCommand(L, SceneEffect::kTypeId));
}

void addScalarKey(lua_State* L, ScalarTrack SceneEffect::*track) {
    if (SceneEffect* scene = sceneLayer(L))
        (scene->*track).addKey({floatArg(L, 1), floatArg(L, 3)});
}

}  // namespace

int loady3dCommand(lua_State* L) {
    if (lua4::lua_gettop(L) != 1) lua4::lua_error(L, "Bad params for loady3d");
    loadNamedScene(stringArg(L, 1));
    return 0;
}

int setfogdensityCommand(lua_State* L) {
    addScalarKey(L, &SceneEffect::fogDensity);
    return 0;
}

int setfogstartCommand(lua_State* L) {
    addScalarKey(L, &SceneEffect::fogStart);
    return 0;
}

int setfogendCommand(lua_State* L) {
    addScalarKey(L, &SceneEffect::fogEnd);
    return 0;
}

int setfogcolorCommand(lua_State* L) {
    if (SceneEffect* scene = sceneLayer(L))
        scene->fogColour.addKey(
            {floatArg(L, 1), {floatArg(L, 3), floatArg(L, 4), floatArg(L, 5), floatArg(L, 6)}});
    return 0;
}

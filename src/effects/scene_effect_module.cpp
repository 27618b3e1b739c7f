#include "effects/scene_effect_module.h"

#include "effects/scene_commands.h"
#include "effects/scene_effect.h"
#include "platform/lua4/lua4.h"

void SceneEffectModule::registerScriptFunctions(lua_State* L) {
    lua4::lua_register(L, "loady3d", loady3dCommand);
    lua4::lua_register(L, "setfogdensity", setfogdensityCommand);
    lua4::lua_register(L, "setfogcolor", setfogcolorCommand);
    lua4::lua_register(L, "setfogstart", setfogstartCommand);
    lua4::lua_register(L, "setfogend", setfogendCommand);
}

std::unique_ptr<Effect> SceneEffectModule::createEffect(int index) {
    return std::make_unique<SceneEffect>();
}

SceneEffectModule& sceneEffectModule() {
    static SceneEffectModule module;
    return module;
}

// The module of the scene effect: type id 2, the loady3d command and the
// four fog commands.
#pragma once

#include "app/effect_module.h"

class SceneEffectModule : public EffectModule {
  public:
    // loady3d, setfogdensity, setfogcolor, setfogstart, setfogend.
    void registerScriptFunctions(lua_State* L) override;
    int effectTypeCount() override { return 1; }
    int effectTypeId(int index) override { return 2; }
    // A SceneEffect, whatever the index.
    std::unique_ptr<Effect> createEffect(int index) override;
};

SceneEffectModule& sceneEffectModule();

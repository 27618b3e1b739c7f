// The module of the capture-texture effect: type id 3, no script commands.
#pragma once

#include "app/effect_module.h"

class CaptureEffectModule : public EffectModule {
  public:
    void registerScriptFunctions(lua_State* L) override {}
    int effectTypeCount() override { return 1; }
    int effectTypeId(int index) override { return 3; }
    // A CaptureEffect for index 0, none for any other.
    std::unique_ptr<Effect> createEffect(int index) override;
};

CaptureEffectModule& captureEffectModule();

// The module of the image effect: type id 0 and the five image commands.
#pragma once

#include "app/effect_module.h"

class ImageEffectModule : public EffectModule {
  public:
    // setimagepos, setimagepivot, setimagerot, setimagescale, setimagecolor.
    void registerScriptFunctions(lua_State* L) override;
    int effectTypeCount() override { return 1; }
    int effectTypeId(int index) override { return 0; }
    // An ImageEffect for index 0, none for any other.
    std::unique_ptr<Effect> createEffect(int index) override;
};

ImageEffectModule& imageEffectModule();

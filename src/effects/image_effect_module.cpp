#include "effects/image_effect_module.h"

#include "effects/image_commands.h"
#include "effects/image_effect.h"
#include "platform/lua4/lua4.h"

void ImageEffectModule::registerScriptFunctions(lua_State* L) {
    lua4::lua_register(L, "setimagepos", setimageposCommand);
    lua4::lua_register(L, "setimagepivot", setimagepivotCommand);
    lua4::lua_register(L, "setimagerot", setimagerotCommand);
    lua4::lua_register(L, "setimagescale", setimagescaleCommand);
    lua4::lua_register(L, "setimagecolor", setimagecolorCommand);
}

std::unique_ptr<Effect> ImageEffectModule::createEffect(int index) {
    if (index != 0) return nullptr;
    return std::make_unique<ImageEffect>();
}

ImageEffectModule& imageEffectModule() {
    static ImageEffectModule module;
    return module;
}

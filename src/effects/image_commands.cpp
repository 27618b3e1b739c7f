#include "effects/image_commands.h"

#include "app/layer_command.h"
#include "app/script_args.h"
#include "effects/image_effect.h"

namespace {

// The image effect of the layer named by argument 2, if it is one. May
// raise the out-of-range script error, so callers hold no objects with
// destructors.
ImageEffect* imageLayer(lua_State* L) {
    return static_cast<ImageEffect*>(layerForEffectCommand(L, ImageEffect::kTypeId));
}

void addVectorKey(lua_State* L, VectorTrack ImageEffect::*track) {
    if (ImageEffect* image = imageLayer(L))
        (image->*track).addKey({floatArg(L, 1), {floatArg(L, 3), floatArg(L, 4), 0.0f}});
}

}  // namespace

int setimageposCommand(lua_State* L) {
    addVectorKey(L, &ImageEffect::position);
    return 0;
}

int setimagepivotCommand(lua_State* L) {
    addVectorKey(L, &ImageEffect::pivot);
    return 0;
}

int setimagescaleCommand(lua_State* L) {
    addVectorKey(L, &ImageEffect::scale);
    return 0;
}

int setimagerotCommand(lua_State* L) {
    if (ImageEffect* image = imageLayer(L))
        image->rotation.addKey({floatArg(L, 1), floatArg(L, 3)});
    return 0;
}

int setimagecolorCommand(lua_State* L) {
    if (ImageEffect* image = imageLayer(L))
        image->colour.addKey(
            {floatArg(L, 1), {floatArg(L, 3), floatArg(L, 4), floatArg(L, 5), floatArg(L, 6)}});
    return 0;
}

#include "app/layer_command.h"

#include "app/effect_modules.h"
#include "app/layer_table.h"
#include "app/script_args.h"
#include "platform/lua4/lua4.h"

namespace {

enum class LayerCreation { created, noSuchType, initFailed };

// Creates the layer for type number j of module and appends it to the
// table if its effect accepts the parameters of the call.
LayerCreation createLayer(lua_State* L, EffectModule& module, int j) {
    auto layer = std::make_unique<Layer>();
    layer->effect = module.createEffect(j);
    if (!layer->effect || !layer->effect->init(0, L)) return LayerCreation::initFailed;
    layerTable().append(std::move(layer));
    return LayerCreation::created;
}

// The first module type offering typeId makes the layer.
LayerCreation createLayerOfType(lua_State* L, int typeId) {
    for (EffectModule* module : effectModules()) {
        for (int j = 0; j < module->effectTypeCount(); ++j) {
            if (module->effectTypeId(j) == typeId) return createLayer(L, *module, j);
        }
    }
    return LayerCreation::noSuchType;
}

}  // namespace

// Script errors are raised here, after the helpers have returned, because
// lua_error leaves by longjmp and must not skip their destructors.
int layerCommand(lua_State* L) {
    LayerCreation result = createLayerOfType(L, integerArg(L, 1));
    if (result == LayerCreation::noSuchType) lua4::lua_error(L, "Invalid effect id for 'layer'");
    if (result == LayerCreation::initFailed) lua4::lua_error(L, "Failed to init effect");
    lua4::lua_pushnumber(L, layerTable().count() - 1);
    return 1;
}

Effect* layerForEffectCommand(lua_State* L, int typeId) {
    int id = integerArg(L, 2);
    if (!layerTable().validId(id))
        lua4::lua_error(L, "Invalid layer id for some effect method (out of range)");
    return layerTable().layer(id).effectIfType(typeId);
}

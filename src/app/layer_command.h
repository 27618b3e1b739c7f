// The `layer` script command and the layer lookup of every effect
// parameter command.
#pragma once

class Effect;
struct lua_State;

// layer(typeId, ...): creates a layer holding a new effect of that type,
// whose init(0) reads the remaining arguments; returns the new layer's id.
int layerCommand(lua_State* L);

// For effect parameter commands (time, layer id, values...): the effect of
// the layer named by argument 2 if it has type typeId, otherwise none. An
// id outside the table raises "Invalid layer id for some effect method
// (out of range)".
Effect* layerForEffectCommand(lua_State* L, int typeId);

// Script commands of the scene effect: loady3d loads a scene file into the
// scene registry; the fog commands add keys to a scene layer's fog tracks
// (times in demo seconds; colour components 0..1).
#pragma once

struct lua_State;

int loady3dCommand(lua_State* L);
int setfogdensityCommand(lua_State* L);
int setfogcolorCommand(lua_State* L);
int setfogstartCommand(lua_State* L);
int setfogendCommand(lua_State* L);

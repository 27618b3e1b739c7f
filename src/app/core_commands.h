// The script commands that time layers and set the demo's time line.
// Invalid layer ids raise script errors, which end the run of the script.
#pragma once

struct lua_State;

// start(time, layer): a new interval of the layer begins at time.
int startCommand(lua_State* L);
// stop(time, layer): the layer's latest interval ends at time.
int stopCommand(lua_State* L);
// clear(layer, colour, depth): the layer's latest interval clears the
// colour target if colour is exactly 1 and the depth buffer if depth is.
int clearCommand(lua_State* L);
int setstarttimeCommand(lua_State* L);
int setendtimeCommand(lua_State* L);
int setmusicstarttimeCommand(lua_State* L);
// setclearcolor(red, green, blue, alpha), each 0..255.
int setclearcolorCommand(lua_State* L);

// Registers layer, start, stop, setmusicstarttime, setstarttime,
// setendtime, clear and setclearcolor, in that order.
void registerCoreCommands(lua_State* L);

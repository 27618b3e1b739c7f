// The image layers' script commands. Each takes the time (argument 1) and
// the layer id (argument 2), then its values, and appends a key to one
// track of the layer's image effect. An id outside the layer table raises
// "Invalid layer id for some effect method (out of range)"; a layer of
// another type is left alone. A missing number reads as 0.
#pragma once

struct lua_State;

int setimageposCommand(lua_State* L);    // time, layer, x, y
int setimagepivotCommand(lua_State* L);  // time, layer, x, y
int setimagerotCommand(lua_State* L);    // time, layer, degrees
int setimagescaleCommand(lua_State* L);  // time, layer, sx, sy
int setimagecolorCommand(lua_State* L);  // time, layer, r, g, b, a

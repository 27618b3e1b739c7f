#include "app/core_commands.h"

#include <cstdint>

#include "app/current_device.h"
#include "app/demo_app.h"
#include "app/layer_command.h"
#include "app/layer_table.h"
#include "app/script_args.h"
#include "platform/lua4/lua4.h"

namespace {

// The layer named by the argument at position, or a script error.
Layer& layerArg(lua_State* L, int position, const char* message) {
    int id = integerArg(L, position);
    if (!layerTable().validId(id)) lua4::lua_error(L, message);
    return layerTable().layer(id);
}

// Components are combined without masking: values beyond 0..255 spill
// into their neighbours.
D3DCOLOR colourArg(lua_State* L, int position, int shift) {
    return static_cast<std::uint32_t>(integerArg(L, position)) << shift;
}

}  // namespace

int startCommand(lua_State* L) {
    layerArg(L, 2, "Invalid layer id for 'start'").addInterval(floatArg(L, 1));
    return 0;
}

int stopCommand(lua_State* L) {
    layerArg(L, 2, "Invalid layer id for 'end'").setLastEnd(floatArg(L, 1));
    return 0;
}

int clearCommand(lua_State* L) {
    Layer& layer = layerArg(L, 1, "Invalid layer id for 'clear'");
    DWORD flags = 0;
    if (lua4::lua_tonumber(L, 2) == 1) flags |= D3DCLEAR_TARGET;
    if (lua4::lua_tonumber(L, 3) == 1) flags |= D3DCLEAR_ZBUFFER;
    layer.setLastClear(flags);
    return 0;
}

int setstarttimeCommand(lua_State* L) {
    demoApp()->startTime = floatArg(L, 1);
    return 0;
}

int setendtimeCommand(lua_State* L) {
    demoApp()->endTime = floatArg(L, 1);
    return 0;
}

int setmusicstarttimeCommand(lua_State* L) {
    demoApp()->musicStartTime = floatArg(L, 1);
    return 0;
}

int setclearcolorCommand(lua_State* L) {
    clearColour =
        colourArg(L, 4, 24) | colourArg(L, 1, 16) | colourArg(L, 2, 8) | colourArg(L, 3, 0);
    return 0;
}

void registerCoreCommands(lua_State* L) {
    lua4::lua_register(L, "layer", layerCommand);
    lua4::lua_register(L, "start", startCommand);
    lua4::lua_register(L, "stop", stopCommand);
    lua4::lua_register(L, "setmusicstarttime", setmusicstarttimeCommand);
    lua4::lua_register(L, "setstarttime", setstarttimeCommand);
    lua4::lua_register(L, "setendtime", setendtimeCommand);
    lua4::lua_register(L, "clear", clearCommand);
    lua4::lua_register(L, "setclearcolor", setclearcolorCommand);
}

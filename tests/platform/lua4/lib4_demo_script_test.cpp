// Scripts written the way demo scripts are: host commands registered from
// C, keyframes computed in loops with degree trigonometry, layer ids kept
// in lists with tinsert/getn, their own error handlers, and reloads of the
// script in the same state.
#include <string>
#include <vector>

#include "platform/lua4/lib4_script_fixture.h"

namespace {

// What the fake host commands were called with, one line per call.
std::vector<std::string> commandLog;

int layerCommand(lua_State* L) {
    static int nextLayer = 0;
    const char* effect = lua4::lua_tostring(L, 2);
    commandLog.push_back("layer " + std::to_string(static_cast<int>(lua4::lua_tonumber(L, 1))) +
                         " " + (effect ? effect : "?"));
    lua4::lua_pushnumber(L, nextLayer++);
    return 1;
}

int startCommand(lua_State* L) {
    char line[64];
    std::snprintf(line, sizeof line, "start %.2f %d", lua4::lua_tonumber(L, 1),
                  static_cast<int>(lua4::lua_tonumber(L, 2)));
    commandLog.push_back(line);
    return 0;
}

int keyCommand(lua_State* L) {
    char line[64];
    std::snprintf(line, sizeof line, "key %.3f %.3f", lua4::lua_tonumber(L, 1),
                  lua4::lua_tonumber(L, 2));
    commandLog.push_back(line);
    return 0;
}

int stopCommand(lua_State* L) {
    if (lua4::lua_tonumber(L, 2) < 0) lua4::lua_error(L, "Invalid layer id for 'end'");
    commandLog.push_back("stop");
    return 0;
}

class DemoScriptTest : public Script40Test {
  protected:
    void SetUp() override {
        Script40Test::SetUp();
        commandLog.clear();
        lua4::lua_register(L, "layer", layerCommand);
        lua4::lua_register(L, "start", startCommand);
        lua4::lua_register(L, "key", keyCommand);
        lua4::lua_register(L, "stop", stopCommand);
    }
};

TEST_F(DemoScriptTest, KeyframesFromLoopsWithDegreeTrigonometry) {
    const char* script =
        "true = 1\n"
        "radius = 100\n"
        "for angle = 0, 360, 90 do\n"
        "  key(angle / 360, radius * cos(angle))\n"
        "end\n"
        "local step = 45\n"
        "ease = function(t) return sin(t * %step * 2) end\n"
        "key(0.5, ease(0.5))\n";
    ASSERT_EQ(0, run(script));
    std::vector<std::string> expected = {"key 0.000 100.000",  "key 0.250 0.000",
                                         "key 0.500 -100.000", "key 0.750 -0.000",
                                         "key 1.000 100.000",  "key 0.500 0.707"};
    EXPECT_EQ(expected, commandLog);
}

TEST_F(DemoScriptTest, LayerListsKeptWithTinsertAndGetn) {
    const char* script =
        "layers = {}\n"
        "names = {'intro', 'tunnel', 'credits'}\n"
        "for i = 1, getn(names) do tinsert(layers, layer(0, names[i])) end\n"
        "for i = 1, getn(layers) do start(i * 2.5, layers[i]) end\n"
        "for k, v in layers do if k == 'n' then count = v end end\n"
        "print(getn(layers), count, layers[getn(layers)])\n";
    EXPECT_EQ("3\t3\t2\n", output(script));
    std::vector<std::string> expected = {"layer 0 intro", "layer 0 tunnel", "layer 0 credits",
                                         "start 2.50 0",  "start 5.00 1",   "start 7.50 2"};
    EXPECT_EQ(expected, commandLog);
}

TEST_F(DemoScriptTest, CommandErrorsStopTheRunThroughTheScriptsHandler) {
    const char* script =
        "log = ''\n"
        "function _ERRORMESSAGE(m) log = log .. 'E:' .. m end\n"
        "ok = call(stop, {1, -1}, 'x')\n"
        "stop(1, 0)\n"
        "stop(2, -5)\n"
        "stop(3, 0)\n";
    EXPECT_EQ(lua4::ERRRUN, run(script));
    EXPECT_EQ("E:Invalid layer id for 'end'E:Invalid layer id for 'end'", global("log"));
    EXPECT_EQ(std::vector<std::string>{"stop"}, commandLog);
}

TEST_F(DemoScriptTest, ReloadRunsInTheSameStateAndKeepsGlobals) {
    ASSERT_EQ(0, run("runs = (runs or 0) + 1\nkept = 'first run only'\n"));
    ASSERT_EQ(0, run("runs = (runs or 0) + 1\n"));
    EXPECT_EQ("2\tfirst run only\n", output("print(runs, kept)"));
}

}  // namespace

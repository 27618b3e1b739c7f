// The Lua 4.0 dialect layer. Translation: a generated 5000-line demo script,
// reported per line and against Lua 5.1 compiling the translated text.
// Running: a generated script of 10 000 host commands, run as 4.0 through
// the layer against the same text run directly on Lua 5.1, as ratios.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "platform/lua4/frontend/translate.h"
#include "platform/lua4/lib/chunk_binding.h"
#include "platform/lua4/lua4.h"
#include "platform/lua4/lua51.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Lines the way demo scripts are written: layers, timing, keyframe loops,
// closures with upvalues, lists and conditions.
std::string demoScript(int lines) {
    const char* templates[] = {
        "layer%d = layer(0, \"image%d.png\")",
        "start(%d.5, layer%d) stop(%d.75, layer%d)",
        "for i = 1, 10 do key(i / 10, sin(i * 36) * %d) end",
        "if t%d and t%d > 2 or nil then x = t%d <= 3 end",
        "f%d = function(a) return a * %%k + %d end",
        "list%d = {1, 2, 3; n = 3} tinsert(list%d, %d)",
        "for k, v in list%d do total = (total or 0) + v * %d end",
        "-- comment %d [[ not a long string",
    };
    std::string script;
    char line[160];
    for (int i = 0; i < lines; ++i) {
        std::snprintf(line, sizeof line, templates[i % 8], i, i, i, i);
        script += line;
        script += '\n';
    }
    return script;
}

// Host commands, as the engine registers them; valid Lua 4.0 and 5.1 alike.
std::string commandScript(int commands) {
    const char* templates[] = {
        "layer(0, \"image%d.png\")",
        "start(%d.5, 3)",
        "setimagepos(%d, %d * 2 + 1, %d / 4)",
        "clear(%d, %d > 100, %d == 0)",
    };
    std::string script;
    char line[96];
    for (int i = 0; i < commands; ++i) {
        std::snprintf(line, sizeof line, templates[i % 4], i, i, i);
        script += line;
        script += '\n';
    }
    return script;
}

int countingCommand(lua_State* L) {
    benchmark::DoNotOptimize(::lua_gettop(L));
    return 0;
}

void registerCommands(lua_State* L) {
    for (const char* name : {"layer", "start", "setimagepos", "clear", "key", "stop"}) {
        ::lua_pushcclosure(L, countingCommand, 0);
        ::lua_setfield(L, LUA_GLOBALSINDEX, name);
    }
}

void BM_TranslateDemoScript(benchmark::State& state) {
    constexpr int lines = 5000;
    std::string script = demoScript(lines);
    std::string translated = lua4::frontend::translateChunk40(script, "demo.lua").source;
    lua_State* L = ::luaL_newstate();
    double translating = 0;
    double compiling = 0;
    for (auto _ : state) {
        Clock::time_point start = Clock::now();
        auto translation = lua4::frontend::translateChunk40(script, "demo.lua");
        translating += secondsSince(start);
        benchmark::DoNotOptimize(translation.ok);
        start = Clock::now();
        ::luaL_loadbuffer(L, translated.data(), translated.size(), "=demo.lua");
        compiling += secondsSince(start);
        ::lua_settop(L, 0);
    }
    ::lua_close(L);
    double iterations = static_cast<double>(state.iterations());
    state.counters["us_per_line"] = translating / iterations / lines * 1e6;
    state.counters["translate/compile51"] = translating / compiling;
}
BENCHMARK(BM_TranslateDemoScript)->Unit(benchmark::kMillisecond);

void BM_CommandsDialectVsLua51(benchmark::State& state) {
    std::string script = commandScript(10000);
    lua_State* dialect = lua4::lua_open(0);
    lua4::lua_baselibopen(dialect);
    lua4::lua_mathlibopen(dialect);
    registerCommands(dialect);
    lua_State* direct = ::luaL_newstate();
    registerCommands(direct);
    std::string translated = lua4::frontend::translateChunk40(script, "commands.lua").source;
    ::luaL_loadbuffer(dialect, translated.data(), translated.size(), "=commands.lua");
    lua4::bindChunk40(dialect);
    ::luaL_loadbuffer(direct, script.data(), script.size(), "=commands.lua");
    double times[4] = {};  // dialect run, direct run, dialect load+run, direct load+run
    for (auto _ : state) {
        Clock::time_point start = Clock::now();
        ::lua_pushvalue(dialect, 1);
        ::lua_pcall(dialect, 0, 0, 0);
        times[0] += secondsSince(start);
        start = Clock::now();
        ::lua_pushvalue(direct, 1);
        ::lua_pcall(direct, 0, 0, 0);
        times[1] += secondsSince(start);
        start = Clock::now();
        lua4::lua_dobuffer(dialect, script.data(), script.size(), "commands.lua");
        times[2] += secondsSince(start);
        start = Clock::now();
        ::luaL_loadbuffer(direct, script.data(), script.size(), "=commands.lua");
        ::lua_pcall(direct, 0, 0, 0);
        times[3] += secondsSince(start);
    }
    lua4::lua_close(dialect);
    ::lua_close(direct);
    double iterations = static_cast<double>(state.iterations());
    state.counters["run_ms_lua51"] = times[1] / iterations * 1e3;
    state.counters["run_dialect/lua51"] = times[0] / times[1];
    state.counters["load+run_dialect/lua51"] = times[2] / times[3];
}
BENCHMARK(BM_CommandsDialectVsLua51)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

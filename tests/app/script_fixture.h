// A demo whose script host is set up as onAppInit does, without window or
// device, in a fresh temporary production directory. Three test modules
// stand for image (type 0), scene (2) and capture (3).
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "app/current_device.h"
#include "app/demo_app.h"
#include "app/effect_modules.h"
#include "app/layer_table.h"
#include "media/data_access.h"
#include "platform/lua4/lua4.h"
#include "temp_production.h"
#include "test_effects.h"

class ScriptTest : public ::testing::Test {
  protected:
    void SetUp() override {
        resetProcessWideState();
        app.scriptHost.registerCommands();
        effectModules() = {&imageLike, &sceneLike, &captureLike};
        imageLike.registerScriptFunctions(app.scriptHost.lua);
    }
    void TearDown() override {
        resetProcessWideState();
        effectModules().clear();
    }

    static void resetProcessWideState() {
        layerTable().clear();
        effectLog().clear();
        clearColour = 0;
        DataAccess::unpackedMode = true;
    }

    // Writes the script and loads it; the script engine's error output is
    // kept in `errors`.
    bool load(const std::string& script) {
        production.writeScript(script);
        return loadWrittenScript();
    }
    bool loadWrittenScript() {
        testing::internal::CaptureStderr();
        bool loaded = app.scriptHost.loadScript();
        errors = testing::internal::GetCapturedStderr();
        return loaded;
    }

    // A global of the script state as a number (0 when not a number).
    double global(const char* name) {
        lua4::lua_getglobal(app.scriptHost.lua, name);
        double value = lua4::lua_tonumber(app.scriptHost.lua, -1);
        lua4::lua_settop(app.scriptHost.lua, -2);
        return value;
    }

    Layer& layer(int id) { return layerTable().layer(id); }
    TestEffect& effect(int id) { return static_cast<TestEffect&>(*layer(id).effect); }

    TempProduction production;
    TestEffectModule imageLike{{0}};
    TestEffectModule sceneLike{{2}};
    TestEffectModule captureLike{{3}};
    DemoApp app;
    std::string errors;
};

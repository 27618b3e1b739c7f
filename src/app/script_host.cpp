#include "app/script_host.h"

#include <chrono>
#include <cstdlib>
#include <string>
#include <system_error>

#include "app/core_commands.h"
#include "app/layer_table.h"
#include "media/data_access.h"
#include "media/loadmusic_command.h"
#include "media/observed_extract.h"
#include "media/texture_store.h"
#include "platform/lua4/lua4.h"
#include "platform/win32/quit_requests.h"

ScriptHost::~ScriptHost() {
    // The watcher runs for as long as the host; it is stopped here so it
    // never reads a host that is gone.
    stopWatcher_ = true;
    if (watcher_.joinable()) watcher_.join();
    if (lua) lua4::lua_close(lua);
}

void ScriptHost::registerCommands() {
    lua = lua4::lua_open(0);
    lua4::lua_register(lua, "loadmusic", loadmusic);
    TextureStore::registerCommands(lua);
    registerCoreCommands(lua);
    lua4::lua_baselibopen(lua);
    lua4::lua_mathlibopen(lua);
    // A script that runs away still ends when the viewer or the system asks
    // the program to end.
    lua4::setInterruptCheck(lua, quitRequested);
}

bool ScriptHost::loadScript() {
    layerTable().clear();
    scriptLoaded = false;
    int top = lua4::lua_gettop(lua);
    bool succeeded = runScript();
    lua4::lua_settop(lua, top);
    if (!succeeded) return false;
    scriptLoaded = true;
    layerTable().prepareAll();
    return true;
}

// Errors have been reported by the script engine or by extract.
bool ScriptHost::runScript() {
    if (DataAccess::unpackedMode) {
        std::string path = DataAccess::resolvePath("script.lua");
        return lua4::lua_dofile(lua, path.c_str()) == 0;
    }
    std::uint8_t* buffer = nullptr;
    std::uint32_t size = 0;
    if (!extractObserved("script.lua", buffer, size)) return false;
    int status = lua4::lua_dobuffer(lua, reinterpret_cast<const char*>(buffer), size, "script.lua");
    std::free(buffer);
    return status == 0;
}

HRESULT ScriptHost::startWatcher() {
    if (watcher_.joinable()) return S_OK;
    try {
        watcher_ = std::thread(&ScriptHost::watch, this);
    } catch (const std::system_error&) {
        return E_FAIL;
    }
    return S_OK;
}

// Polls every 100 ms; looks at the stop request every 10 ms so that the
// host can go away promptly.
void ScriptHost::watch() {
    while (!stopWatcher_) {
        if (scriptModificationTime() != scriptStatus) reloadRequested = true;
        for (int slice = 0; slice < 10 && !stopWatcher_; ++slice)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

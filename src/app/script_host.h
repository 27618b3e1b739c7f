// The part of the demo that owns the script state: registers the script
// commands, runs the script, and in unpacked mode watches the script file
// so that an edited script is picked up at the next restart.
#pragma once

#include <atomic>
#include <cstdint>
#include <thread>

#include "app/script_file_status.h"
#include "platform/win32/windef.h"

struct lua_State;

class ScriptHost {
  public:
    ScriptHost() = default;
    ~ScriptHost();
    ScriptHost(const ScriptHost&) = delete;
    ScriptHost& operator=(const ScriptHost&) = delete;

    // Creates the script state and registers the commands that are not
    // an effect module's: loaders, core commands, base and math libraries.
    void registerCommands();
    // Clears the layer table and runs the script; on success prepares every
    // layer. Returns scriptLoaded.
    bool loadScript();
    // Starts the thread that polls the script file every 100 ms; E_FAIL when
    // it cannot be created.
    HRESULT startWatcher();
    // Notes the script file's status as the one the watcher compares with.
    void recordScriptStatus() { scriptStatus = scriptModificationTime(); }

    // Created by registerCommands, kept until the host goes away; reloads
    // run in the same state.
    lua_State* lua = nullptr;
    // The latest run of the script succeeded.
    bool scriptLoaded = false;
    // Set by the watcher when the script file changed; read and cleared by
    // the main thread at a restart.
    std::atomic<bool> reloadRequested{true};
    // Modification time of the script file after the latest load.
    std::atomic<std::int64_t> scriptStatus{scriptMissing};

  private:
    bool runScript();
    void watch();

    std::thread watcher_;
    std::atomic<bool> stopWatcher_{false};
};

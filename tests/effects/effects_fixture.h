// Effects on a recording device: the device as the current one, an empty
// layer table and texture store, and a script state with `layer` and the
// image commands, the engine's image and capture modules in the module list.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/layer_table.h"
#include "media/texture_store.h"
#include "platform/d3d8/recording/recording_direct3d.h"

class EffectsTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Runs a chunk; a script error's message is kept for lastError().
    int run(const std::string& chunk);
    std::string lastError();
    // Prepares every layer (init stage 1), as after a successful script run.
    void prepareLayers() { layerTable().prepareAll(); }
    template <class EffectType>
    EffectType& effect(int layer) {
        return static_cast<EffectType&>(*layerTable().layer(layer).effect);
    }
    // The names of the calls logged on objects of one kind ("Device", "Surface", ...).
    std::vector<std::string> callNames(const std::string& object) const;

    RecordingConfig config;
    CallLog log;
    IDirect3D8* direct3d = nullptr;
    IDirect3DDevice8* device = nullptr;
    lua_State* L = nullptr;
};

// One logged call as "Name(arg, arg, ...)", numbers printed as integers
// where they are whole.
std::string describe(const RecordedCall& call);

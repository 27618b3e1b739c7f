#include "effects_fixture.h"

#include <cmath>
#include <sstream>

#include "app/current_device.h"
#include "app/effect_modules.h"
#include "app/layer_command.h"
#include "effects/capture_surfaces.h"
#include "platform/lua4/lua4.h"

void EffectsTest::SetUp() {
    direct3d = createRecordingDirect3D(config, log);
    D3DPRESENT_PARAMETERS params{};
    params.BackBufferWidth = 640;
    params.BackBufferHeight = 480;
    params.BackBufferFormat = D3DFMT_X8R8G8B8;
    params.BackBufferCount = 1;
    params.SwapEffect = D3DSWAPEFFECT_DISCARD;
    params.Windowed = TRUE;
    params.EnableAutoDepthStencil = TRUE;
    params.AutoDepthStencilFormat = D3DFMT_D24S8;
    ASSERT_EQ(direct3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr,
                                     D3DCREATE_HARDWARE_VERTEXPROCESSING, &params, &device),
              D3D_OK);
    currentDevice = device;
    installEffectModules();
    L = lua4::lua_open(0);
    lua4::lua_baselibopen(L);
    lua4::lua_register(L, "layer", layerCommand);
    for (EffectModule* module : effectModules()) module->registerScriptFunctions(L);
    ASSERT_EQ(run("function _ERRORMESSAGE(m) lastError = m end"), 0);
    log.clear();
}

// Layers first (capture layers give back the shared depth surface), then
// textures; the device must then go with its last reference.
void EffectsTest::TearDown() {
    layerTable().clear();
    textureStore().clear();
    currentDevice = nullptr;
    effectModules().clear();
    if (L) lua4::lua_close(L);
    EXPECT_EQ(sharedCaptureDepth, nullptr);
    if (device) {
        EXPECT_EQ(device->Release(), 0u);
    }
    if (direct3d) direct3d->Release();
}

int EffectsTest::run(const std::string& chunk) {
    return lua4::lua_dostring(L, chunk.c_str());
}

std::string EffectsTest::lastError() {
    lua4::lua_getglobal(L, "lastError");
    const char* text = lua4::lua_tostring(L, -1);
    std::string value = text ? text : "";
    lua4::lua_settop(L, 0);
    return value;
}

std::vector<std::string> EffectsTest::callNames(const std::string& object) const {
    std::vector<std::string> names;
    for (const RecordedCall& call : log.calls())
        if (call.object == object) names.push_back(call.name);
    return names;
}

std::string describe(const RecordedCall& call) {
    std::ostringstream text;
    text << call.name << "(";
    for (std::size_t i = 0; i < call.args.size(); ++i) {
        if (i) text << ", ";
        const double value = call.args[i];
        if (value == std::floor(value) && std::abs(value) < 1e15)
            text << static_cast<long long>(value);
        else
            text << value;
    }
    return text.str() + ")";
}

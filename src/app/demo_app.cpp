#include "app/demo_app.h"

#include <cstdio>

#include "app/current_device.h"
#include "app/effect_modules.h"
#include "app/layer_table.h"
#include "effects/capture_surfaces.h"
#include "framework/frame_timer.h"
#include "media/data_access.h"
#include "media/music_player.h"
#include "media/texture_store.h"
#include "platform/win32/messages.h"
#include "platform/win32/virtual_keys.h"
#include "scene/buffer_registry.h"

namespace {

DemoApp* theDemoApp = nullptr;

}  // namespace

DemoApp* demoApp() {
    return theDemoApp;
}

DemoApp::DemoApp() {
    windowWidth = 640;
    windowHeight = 480;
    useDepthBuffer = true;
    minDepthBits = 16;
    minStencilBits = 0;
    theDemoApp = this;
}

DemoApp::~DemoApp() {
    if (theDemoApp == this) theDemoApp = nullptr;
}

// A pure device is never used.
HRESULT DemoApp::acceptDevice(const D3DCAPS8&, DWORD behavior, D3DFORMAT) {
    return (behavior & D3DCREATE_PUREDEVICE) ? E_FAIL : S_OK;
}

// The script does not run here: the first frame runs it.
HRESULT DemoApp::onAppInit() {
    scriptHost.registerCommands();
    installEffectModules();
    for (EffectModule* module : effectModules()) module->registerScriptFunctions(scriptHost.lua);
    overlayFont = std::make_unique<FontTexture>("Arial", 12, fontBold);
    startTime = 0;
    endTime = 100.0f;
    musicStartTime = 0;
    musicPlayer().init(window);
    if (DataAccess::unpackedMode) scriptHost.startWatcher();
    scriptHost.reloadRequested = true;
    return S_OK;
}

HRESULT DemoApp::onDeviceCreated() {
    currentDevice = device;
    for (DWORD stage = 0; stage < 2; ++stage) {
        device->SetTextureStageState(stage, D3DTSS_MINFILTER, D3DTEXF_LINEAR);
        device->SetTextureStageState(stage, D3DTSS_MIPFILTER, D3DTEXF_LINEAR);
        device->SetTextureStageState(stage, D3DTSS_MAGFILTER, D3DTEXF_LINEAR);
    }
    if (overlayFont) overlayFont->initDeviceObjects(device);
    return S_OK;
}

HRESULT DemoApp::onDeviceRestored() {
    device->SetRenderState(D3DRS_ZENABLE, D3DZB_TRUE);
    if (overlayFont) overlayFont->restoreDeviceObjects();
    textureStore().restoreDeviceObjects();
    restoreCaptureSurfaces(device);
    return S_OK;
}

HRESULT DemoApp::onFrameUpdate() {
    if (playState != playStateRestartRequested && playState != playStateInitial) return S_OK;
    restart();
    playState = playStatePlaying;
    return S_OK;
}

// Back to demo time startTime, with the script reloaded if it changed.
void DemoApp::restart() {
    frameTimer()(TIMER_STOP);
    frameTimer()(TIMER_RESET);
    if (scriptHost.reloadRequested) {
        scriptHost.loadScript();
        scriptHost.recordScriptStatus();
        scriptHost.reloadRequested = false;
    }
    if (!scriptHost.scriptLoaded) return;
    frameTimer()(TIMER_START);
    musicPlayer().playAt(musicStartTime + startTime);
}

HRESULT DemoApp::onFrameRender() {
    float t = appTime + startTime;
    if (t > endTime) return E_FAIL;
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, clearColour, 1.0f, 0);
    if (FAILED(device->BeginScene())) return S_OK;
    if (scriptHost.scriptLoaded) layerTable().renderAll(t);
    if (DataAccess::unpackedMode && showOverlay && overlayFont) drawOverlay(t);
    device->EndScene();
    return S_OK;
}

// The demo time, the frame rate and the frame statistics, in green.
void DemoApp::drawOverlay(float time) {
    constexpr D3DCOLOR green = 0xff00ff00;
    char line[64];
    std::snprintf(line, sizeof line, "Total time: %f", time);
    overlayFont->drawText(2, 0, green, line, 0);
    std::snprintf(line, sizeof line, "fps: %f", frameRate);
    overlayFont->drawText(2, 14, green, line, 0);
    overlayFont->drawText(2, 28, green, frameStats.c_str(), 0);
}

HRESULT DemoApp::onDeviceLost() {
    if (overlayFont) overlayFont->invalidateDeviceObjects();
    textureStore().invalidateDeviceObjects();
    // The capture layers' shared depth surface lives in the default pool
    // too: a reset needs it released.
    invalidateCaptureSurfaces(device);
    return S_OK;
}

HRESULT DemoApp::onDeviceDestroyed() {
    if (overlayFont) overlayFont->deleteDeviceObjects();
    musicPlayer().stop();
    layerTable().clear();
    bufferRegistry().releaseAll();
    textureStore().clear();
    currentDevice = nullptr;
    return S_OK;
}

HRESULT DemoApp::onAppShutdown() {
    musicPlayer().shutdown();
    overlayFont.reset();
    return S_OK;
}

LRESULT DemoApp::handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (DataAccess::unpackedMode && message == WM_KEYUP && wParam == VK_SPACE) onSpaceReleased();
    return GraphicsApp::handleMessage(window, message, wParam, lParam);
}

// Space pauses the demo, and a second space restarts it. A release while a
// restart is still pending is ignored, so it cannot move the demo into a
// state from which no frame would restart it.
void DemoApp::onSpaceReleased() {
    if (playState == playStatePlaying) {
        pause(true);
        musicPlayer().stop();
        playState = playStatePaused;
    } else if (playState == playStatePaused) {
        pause(false);
        playState = playStateRestartRequested;
    }
}

// The demo: the framework application that loads the script, keeps the
// demo clock and draws the layer table every frame.
#pragma once

#include <memory>

#include "app/problem_sink.h"
#include "app/script_host.h"
#include "framework/font_texture.h"
#include "framework/graphics_app.h"

// Values of DemoApp::playState.
enum PlayState : int {
    playStatePlaying = 0,
    playStatePaused = 1,
    playStateRestartRequested = 2,
    playStateInitial = 3,
};

class DemoApp : public GraphicsApp {
  public:
    DemoApp();
    ~DemoApp() override;

    HRESULT acceptDevice(const D3DCAPS8& caps, DWORD behavior, D3DFORMAT format) override;
    HRESULT onAppInit() override;
    HRESULT onDeviceCreated() override;
    HRESULT onDeviceRestored() override;
    HRESULT onFrameUpdate() override;
    HRESULT onFrameRender() override;
    HRESULT onDeviceLost() override;
    HRESULT onDeviceDestroyed() override;
    HRESULT onAppShutdown() override;
    LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

    bool scriptLoaded() const { return scriptHost.scriptLoaded; }

    // Demo time at which playing starts (clock at 0).
    float startTime = 0;
    // The demo ends once the demo time exceeds it.
    float endTime = 100.0f;
    // At demo time t the music plays at position t + musicStartTime.
    float musicStartTime = 0;
    int playState = playStateInitial;
    ScriptHost scriptHost;
    // The statistics overlay of unpacked mode ("Arial", 12 points, bold).
    std::unique_ptr<FontTexture> overlayFont;
    // Whether the overlay is drawn in unpacked mode (captures leave it out).
    bool showOverlay = true;
    // Receives the problems met while playing; none in the player, which
    // only prints its messages.
    ProblemSink* problemSink = nullptr;

  private:
    void restart();
    void drawOverlay(float time);
    void onSpaceReleased();
};

// The process-wide demo, through which script commands reach the script
// state and the time settings; null when there is none.
DemoApp* demoApp();

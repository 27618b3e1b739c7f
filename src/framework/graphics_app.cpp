// The application object: the process-wide pointer the window procedure
// uses, the base versions of the hooks that do something, pausing, and the
// catalog selection.
#include "framework/graphics_app.h"

#include "framework/frame_timer.h"
#include "platform/win32/window.h"

namespace {

GraphicsApp*& applicationPointer() {
    static GraphicsApp* application = nullptr;
    return application;
}

}  // namespace

GraphicsApp* currentGraphicsApp() {
    return applicationPointer();
}

GraphicsApp::GraphicsApp() {
    applicationPointer() = this;
}

GraphicsApp::~GraphicsApp() {
    if (applicationPointer() == this) applicationPointer() = nullptr;
    if (IsWindow(window)) DestroyWindow(window);
    if (device) device->Release();
    if (direct3d) direct3d->Release();
}

// Windowed: the style the window was created with; full screen: a bare
// popup.
HRESULT GraphicsApp::applyWindowStyle() {
    DWORD style = windowed ? windowStyle : WS_POPUP | WS_VISIBLE | WS_SYSMENU;
    SetWindowLongA(window, GWL_STYLE, LONG(style));
    return S_OK;
}

HRESULT GraphicsApp::acceptDevice(const D3DCAPS8&, DWORD, D3DFORMAT) {
    return S_OK;
}

// Nested pauses: the clock stops at the first and starts again when the
// last one ends; frames are rendered only while no pause is in force.
void GraphicsApp::pause(bool on) {
    pauseCount_ += on ? 1 : -1;
    ready = pauseCount_ == 0;
    if (on && pauseCount_ == 1) frameTimer()(TIMER_STOP);
    if (pauseCount_ == 0) frameTimer()(TIMER_START);
}

AdapterInfo& GraphicsApp::selectedAdapter() {
    return catalog.adapters[currentAdapter];
}

DeviceInfo& GraphicsApp::selectedDevice() {
    AdapterInfo& adapter = selectedAdapter();
    return adapter.devices[adapter.currentDevice];
}

ModeInfo& GraphicsApp::selectedMode() {
    DeviceInfo& device = selectedDevice();
    return device.modes[device.currentMode];
}

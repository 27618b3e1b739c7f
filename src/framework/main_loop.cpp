// The message loop and the frame: messages first, a frame whenever none is
// waiting and the application is active and ready.
#include "framework/frame_timer.h"
#include "framework/graphics_app.h"
#include "platform/win32/accelerators.h"
#include "platform/win32/messages.h"
#include "platform/win32/module.h"

int GraphicsApp::run() {
    HACCEL accelerators =
        LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAIN_ACCEL));
    MSG msg{};
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
    while (msg.message != WM_QUIT) {
        bool gotMessage = active ? PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)
                                 : GetMessageA(&msg, nullptr, 0, 0);
        if (gotMessage) {
            if (!TranslateAcceleratorA(window, accelerators, &msg)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        } else if (active && ready) {
            if (FAILED(renderFrame())) SendMessageA(window, WM_CLOSE, 0, 0);
        }
    }
    return int(msg.wParam);
}

// A lost device is waited out; one that can be reset again is reset (with
// the desktop's current format when windowed). A stopped clock means no
// time has passed: nothing is rendered or presented.
HRESULT GraphicsApp::renderFrame() {
    if (!device) return E_FAIL;
    HRESULT hr = device->TestCooperativeLevel();
    if (hr == D3DERR_DEVICELOST) return S_OK;
    if (hr == D3DERR_DEVICENOTRESET) {
        if (windowed) rereadDesktopMode();
        return resetDevice();
    }
    if (FAILED(hr)) return hr;
    float applicationTime = frameTimer()(TIMER_GETAPPTIME);
    float elapsed = frameTimer()(TIMER_GETELAPSEDTIME);
    if (elapsed == 0.0f) return S_OK;
    appTime = applicationTime;
    elapsedTime = elapsed;
    if (FAILED(hr = onFrameUpdate())) return hr;
    if (FAILED(hr = onFrameRender())) return hr;
    updateFrameStats();
    device->Present(nullptr, nullptr, nullptr, nullptr);
    return S_OK;
}

void GraphicsApp::rereadDesktopMode() {
    AdapterInfo& adapter = selectedAdapter();
    direct3d->GetAdapterDisplayMode(adapter.ordinal, &adapter.desktopMode);
    presentParams.BackBufferFormat = adapter.desktopMode.Format;
}

void GraphicsApp::updateFrameStats() {
    float now = frameTimer()(TIMER_GETABSOLUTETIME);
    if (!frameRateCounter_.countFrame(now, &frameRate)) return;
    D3DDISPLAYMODE display{};
    direct3d->GetAdapterDisplayMode(selectedAdapter().ordinal, &display);
    frameStats = frameStatsText(frameRate, backBufferDesc.Width, backBufferDesc.Height,
                                display.Format, useDepthBuffer, selectedMode().depthStencilFormat);
}

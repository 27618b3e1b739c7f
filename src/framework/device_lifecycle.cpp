// The device: creation from the catalog selection, reset after a loss, and
// shut-down, each with the application's hooks in their fixed order.
#include "framework/graphics_app.h"
#include "platform/win32/window.h"

void GraphicsApp::fillPresentParams() {
    const AdapterInfo& adapter = selectedAdapter();
    const DeviceInfo& chosen = selectedDevice();
    const ModeInfo& mode = selectedMode();
    presentParams = D3DPRESENT_PARAMETERS{};
    presentParams.Windowed = chosen.windowed;
    presentParams.BackBufferCount = 1;
    presentParams.MultiSampleType = chosen.multiSampleType;
    presentParams.SwapEffect = D3DSWAPEFFECT_DISCARD;
    presentParams.EnableAutoDepthStencil = useDepthBuffer;
    presentParams.AutoDepthStencilFormat = mode.depthStencilFormat;
    presentParams.hDeviceWindow = window;
    if (chosen.windowed) {
        presentParams.BackBufferWidth = UINT(clientRect.right - clientRect.left);
        presentParams.BackBufferHeight = UINT(clientRect.bottom - clientRect.top);
        presentParams.BackBufferFormat = adapter.desktopMode.Format;
    } else {
        presentParams.BackBufferWidth = mode.width;
        presentParams.BackBufferHeight = mode.height;
        presentParams.BackBufferFormat = mode.format;
    }
}

void GraphicsApp::readBackBufferDesc() {
    IDirect3DSurface8* backBuffer = nullptr;
    if (FAILED(device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &backBuffer)) || !backBuffer)
        return;
    backBuffer->GetDesc(&backBufferDesc);
    backBuffer->Release();
}

HRESULT GraphicsApp::startDevice() {
    applyWindowStyle();
    fillPresentParams();
    HRESULT hr =
        direct3d->CreateDevice(selectedAdapter().ordinal, selectedDevice().deviceType, focusWindow,
                               selectedMode().behavior, &presentParams, &device);
    if (FAILED(hr)) {
        device = nullptr;
        return hr;
    }
    if (presentParams.Windowed)
        SetWindowPos(window, HWND_NOTOPMOST, int(windowBounds.left), int(windowBounds.top),
                     int(windowBounds.right - windowBounds.left),
                     int(windowBounds.bottom - windowBounds.top), SWP_SHOWWINDOW);
    readBackBufferDesc();
    hr = onDeviceCreated();
    if (SUCCEEDED(hr)) hr = onDeviceRestored();
    if (SUCCEEDED(hr)) {
        active = true;
        return S_OK;
    }
    onDeviceLost();
    onDeviceDestroyed();
    device->Release();
    device = nullptr;
    return hr;
}

HRESULT GraphicsApp::resetDevice() {
    HRESULT hr = onDeviceLost();
    if (FAILED(hr)) return hr;
    if (FAILED(hr = device->Reset(&presentParams))) return hr;
    readBackBufferDesc();
    return onDeviceRestored();
}

HRESULT GraphicsApp::shutdownDevice() {
    active = ready = false;
    if (device) {
        onDeviceLost();
        onDeviceDestroyed();
        device->Release();
        device = nullptr;
        if (direct3d) direct3d->Release();
        direct3d = nullptr;
    }
    return onAppShutdown();
}

// GraphicsApp::create: Direct3D object, device catalog, optional setup
// dialog, the window "D3D Window", the application's own initialisation,
// the device and the clock.
#include <string>

#include "framework/frame_timer.h"
#include "framework/graphics_app.h"
#include "framework/setup_dialog.h"
#include "platform/win32/cursor.h"
#include "platform/win32/message_box.h"
#include "platform/win32/quit_requests.h"
#include "platform/win32/window.h"
#include "platform/win32/window_system.h"

namespace {

constexpr char windowClassName[] = "D3D Window";

// Every message of the window goes to the application unchanged.
LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (GraphicsApp* app = currentGraphicsApp())
        return app->handleMessage(window, message, wParam, lParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

void registerWindowClass(HINSTANCE instance) {
    WNDCLASSA windowClass{};
    windowClass.style = 0;
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetStockObject(BLACK_BRUSH);
    windowClass.lpszClassName = windowClassName;
    RegisterClassA(&windowClass);  // already registered by an earlier app: fine
}

}  // namespace

HRESULT GraphicsApp::create(HINSTANCE instance) {
    direct3d = direct3DFactory ? direct3DFactory(D3D_SDK_VERSION) : nullptr;
    if (!direct3d) return reportError(errNoDirect3D, errorKindFatal);
    HRESULT hr = catalog.build(*direct3d, *this);
    if (FAILED(hr)) return failCreation(hr);
    if (showSetupDialog) {
        if (runSetupDialog(*this) != 1) {
            releaseDirect3D();
            return E_FAIL;
        }
        windowed = selectedDevice().windowed;
    }
    // From here on Ctrl+C and a request to end close the window, so the
    // desktop's mode and everything else are given back.
    installQuitSignals();
    if (!window && !createWindow(instance)) return reportWindowFailure();
    if (!focusWindow) focusWindow = window;
    readWindowPlacement();
    if (FAILED(hr = onAppInit())) return failCreation(hr);
    if (FAILED(hr = startDevice())) return failCreation(hr);
    frameTimer()(TIMER_START);
    ready = true;
    return S_OK;
}

// The outer size is computed as if the window had a menu bar, which it
// does not have: the client area ends up taller than asked by that bar.
bool GraphicsApp::createWindow(HINSTANCE instance) {
    registerWindowClass(instance);
    windowStyle = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX;
    RECT outer{0, 0, LONG(windowWidth), LONG(windowHeight)};
    AdjustWindowRect(&outer, windowStyle, TRUE);
    window = CreateWindowExA(0, windowClassName, windowTitle.c_str(), windowStyle, CW_USEDEFAULT,
                             CW_USEDEFAULT, int(outer.right - outer.left),
                             int(outer.bottom - outer.top), nullptr, nullptr, instance, nullptr);
    return window != nullptr;
}

void GraphicsApp::readWindowPlacement() {
    windowStyle = DWORD(GetWindowLongA(window, GWL_STYLE));
    GetWindowRect(window, &windowBounds);
    GetClientRect(window, &clientRect);
}

void GraphicsApp::releaseDirect3D() {
    if (direct3d) direct3d->Release();
    direct3d = nullptr;
}

HRESULT GraphicsApp::failCreation(HRESULT code) {
    releaseDirect3D();
    return reportError(code, errorKindFatal);
}

// Without a display there is no window to play in: say so plainly.
HRESULT GraphicsApp::reportWindowFailure() {
    releaseDirect3D();
    std::string text = "Could not create the window: " + windowSystemError() + ".";
    MessageBoxA(nullptr, text.c_str(), windowTitle.c_str(), MB_ICONERROR);
    return E_FAIL;
}

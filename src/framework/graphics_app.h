// Base class of a Direct3D 8 application running in a window or full screen:
// device catalog, window, message loop, frame rendering, device reset and
// fatal error reports. The application overrides the hooks.
#pragma once

#include <functional>
#include <string>

#include "framework/device_catalog.h"
#include "framework/frame_statistics.h"
#include "platform/d3d8/d3d8.h"
#include "platform/win32/windef.h"

// Framework error codes (HRESULT-style).
constexpr HRESULT errNoDirect3D = HRESULT(0x82000001u);
constexpr HRESULT errNoCompatibleDevice = HRESULT(0x82000003u);
constexpr HRESULT errNoWindowedDevice = HRESULT(0x82000004u);
constexpr HRESULT errNoHardwareDevice = HRESULT(0x82000005u);
constexpr HRESULT errHardwareNotCompatible = HRESULT(0x82000006u);
constexpr HRESULT errNoWindowedHardware = HRESULT(0x82000007u);
constexpr HRESULT errNoDesktopHardware = HRESULT(0x82000008u);
constexpr HRESULT errHardwareNotCompatibleInMode = HRESULT(0x82000009u);
constexpr HRESULT errNonZeroRefCount = HRESULT(0x8200000Au);
constexpr HRESULT errMediaNotFound = HRESULT(0x8200000Bu);
constexpr HRESULT errResetFailed = HRESULT(0x8200000Cu);

// Kinds of reportError.
constexpr int errorKindFatal = 1;
constexpr int errorKindWarning = 2;

// The text reportError shows for a code, or null when it shows none.
const char* errorText(HRESULT code);

class GraphicsApp {
  public:
    GraphicsApp();
    // Releases what a shut-down left behind (nothing after WM_CLOSE).
    virtual ~GraphicsApp();
    GraphicsApp(const GraphicsApp&) = delete;
    GraphicsApp& operator=(const GraphicsApp&) = delete;

    // Hooks, in slot order. The base versions do nothing and succeed.
    virtual HRESULT applyWindowStyle();
    virtual HRESULT acceptDevice(const D3DCAPS8& caps, DWORD behavior, D3DFORMAT format);
    virtual HRESULT onAppInit() { return S_OK; }
    virtual HRESULT onDeviceCreated() { return S_OK; }
    virtual HRESULT onDeviceRestored() { return S_OK; }
    virtual HRESULT onFrameUpdate() { return S_OK; }
    virtual HRESULT onFrameRender() { return S_OK; }
    virtual HRESULT onDeviceLost() { return S_OK; }
    virtual HRESULT onDeviceDestroyed() { return S_OK; }
    virtual HRESULT onAppShutdown() { return S_OK; }
    virtual HRESULT create(HINSTANCE instance);
    virtual int run();
    virtual LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    virtual void pause(bool on);

    // Fatal (kind 1): a message box for codes with a text, then WM_CLOSE to
    // the window; warning (kind 2): nothing. Returns the code. Virtual so
    // that an application or a test can also see warnings.
    virtual HRESULT reportError(HRESULT code, int kind);

    // Where create() gets its Direct3D object; Direct3DCreate8 unless a test
    // or tool supplies another backend.
    std::function<IDirect3D8*(UINT)> direct3DFactory = Direct3DCreate8;

    // Renders one frame as the message loop does (exposed for tools that
    // drive frames themselves, such as the capture tool).
    HRESULT renderFrame();

    DeviceCatalog catalog;
    UINT currentAdapter = 0;
    bool windowed = false;
    bool active = false;
    bool ready = false;
    D3DPRESENT_PARAMETERS presentParams{};
    HWND window = nullptr;
    HWND focusWindow = nullptr;
    IDirect3D8* direct3d = nullptr;
    IDirect3DDevice8* device = nullptr;
    D3DSURFACE_DESC backBufferDesc{};
    DWORD windowStyle = 0;
    RECT windowBounds{};
    RECT clientRect{};

    float appTime = 0;
    float elapsedTime = 0;
    float frameRate = 0;
    std::string frameStats;

    std::string windowTitle = "Tessal Application";
    bool useDepthBuffer = false;
    unsigned minDepthBits = 16;
    unsigned minStencilBits = 0;
    unsigned windowWidth = 300;
    unsigned windowHeight = 300;
    bool showCursorWhenFullscreen = false;
    bool showSetupDialog = false;

  protected:
    HRESULT startDevice();
    HRESULT resetDevice();
    HRESULT shutdownDevice();
    void updateFrameStats();

    // The selection in the catalog.
    AdapterInfo& selectedAdapter();
    DeviceInfo& selectedDevice();
    ModeInfo& selectedMode();

  private:
    bool createWindow(HINSTANCE instance);
    void readWindowPlacement();
    HRESULT failCreation(HRESULT code);
    HRESULT reportWindowFailure();
    void releaseDirect3D();
    void readBackBufferDesc();
    void fillPresentParams();
    void rereadDesktopMode();
    LRESULT onSetCursor();
    void onMouseMove();
    void onEnterSizeMove();
    void onExitSizeMove();

    int pauseCount_ = 0;
    FrameRateCounter frameRateCounter_;
    bool sizeMoveStoppedClock_ = false;
};

// The process-wide application the window procedure forwards messages to.
GraphicsApp* currentGraphicsApp();

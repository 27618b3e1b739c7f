// Reporting errors: fatal ones in a message box captioned with the window
// title, after which the window closes; warnings show nothing.
#include "framework/graphics_app.h"
#include "platform/win32/message_box.h"
#include "platform/win32/messages.h"
#include "platform/win32/window.h"

const char* errorText(HRESULT code) {
    switch (code) {
        case errNoDirect3D:
            return "Could not initialize Direct3D. You may\nwant to check that your graphics "
                   "drivers\nare correctly installed on your system.";
        case errNoCompatibleDevice:
            return "Could not find any compatible Direct3D\ndevices.";
        case errNoWindowedDevice:
            return "This program cannot run in a desktop\nwindow with the current display "
                   "settings.\nPlease change your desktop settings to a\n16- or 32-bit display "
                   "mode and re-run this\nprogram.";
        case errNoHardwareDevice:
            return "No hardware-accelerated Direct3D devices\nwere found.";
        case errHardwareNotCompatible:
            return "This program requires functionality that is\nnot available on your "
                   "Direct3D hardware\naccelerator.";
        case errNoWindowedHardware:
            return "Your Direct3D hardware accelerator cannot\nrender into a window.";
        case errNoDesktopHardware:
            return "Your Direct3D hardware accelerator cannot\nrender into a window with the "
                   "current\ndesktop display settings.";
        case errHardwareNotCompatibleInMode:
            return "This program requires functionality that is\nnot available on your "
                   "Direct3D hardware\naccelerator with the current desktop display\nsettings.";
        case errNonZeroRefCount:
            return "A D3D object has a non-zero reference\ncount (meaning things were not "
                   "properly\ncleaned up).";
        case errMediaNotFound:
            return "Could not load required media.";
        case errResetFailed:
            return "Could not reset the Direct3D device.";
        case E_OUTOFMEMORY:
            return "Not enough memory.";
        case D3DERR_OUTOFVIDEOMEMORY:
            return "Not enough video memory.";
        default:
            return nullptr;
    }
}

HRESULT GraphicsApp::reportError(HRESULT code, int kind) {
    if (kind != errorKindFatal) return code;
    if (const char* text = errorText(code))
        MessageBoxA(nullptr, text, windowTitle.c_str(), MB_ICONERROR);
    if (IsWindow(window)) SendMessageA(window, WM_CLOSE, 0, 0);
    return code;
}

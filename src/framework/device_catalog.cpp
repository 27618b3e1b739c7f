// Building the device catalog: per adapter the usable display modes, per
// device type (HAL, then REF) the formats it confirms with a behaviour and a
// depth format, the modes that result, and finally the default selection:
// the first device that can render into a window.
#include "framework/device_catalog.h"

#include <optional>
#include <vector>

#include "framework/display_modes.h"
#include "framework/graphics_app.h"

namespace {

// What the warnings about falling back to the reference device rest on,
// gathered over all adapters.
struct HardwareFacts {
    bool exists = false;
    bool hasUsableMode = false;
    bool canRenderWindowed = false;
    bool canRenderWindowedInDesktopFormat = false;
};

struct FormatChoice {
    bool confirmed = false;
    DWORD behavior = 0;
    D3DFORMAT depthFormat = D3DFMT_UNKNOWN;
};

bool is640x480(const ModeInfo& mode) {
    return mode.width == 640 && mode.height == 480;
}

bool is32Bit(D3DFORMAT format) {
    return format == D3DFMT_A8R8G8B8 || format == D3DFMT_X8R8G8B8;
}

// 640 x 480 in a 32-bit format, else the last 640 x 480 mode, else mode 0.
unsigned defaultModeIndex(const DeviceInfo& device) {
    for (unsigned i = 0; i < device.modeCount; ++i)
        if (is640x480(device.modes[i]) && is32Bit(device.modes[i].format)) return i;
    std::optional<unsigned> last640x480;
    for (unsigned i = 0; i < device.modeCount; ++i)
        if (is640x480(device.modes[i])) last640x480 = i;
    return last640x480.value_or(0);
}

void startDeviceEntry(DeviceInfo& device, IDirect3D8& direct3d, UINT adapter, D3DDEVTYPE type) {
    device = DeviceInfo{};
    device.deviceType = type;
    direct3d.GetDeviceCaps(adapter, type, &device.caps);
    device.description = type == D3DDEVTYPE_HAL ? "HAL" : "REF";
    device.multiSampleType = D3DMULTISAMPLE_NONE;
}

// Every collected mode in sorted order whose format the device confirmed.
void listModes(DeviceInfo& device, const AdapterModes& collected,
               const std::vector<FormatChoice>& choices) {
    for (const D3DDISPLAYMODE& mode : collected.modes) {
        for (std::size_t i = 0; i < choices.size(); ++i) {
            if (!choices[i].confirmed || collected.formats[i] != mode.Format) continue;
            if (device.modeCount == maxModesPerDevice) return;
            device.modes[device.modeCount++] = {mode.Width, mode.Height, mode.Format,
                                                choices[i].behavior, choices[i].depthFormat};
        }
    }
}

class CatalogBuilder {
  public:
    CatalogBuilder(DeviceCatalog& catalog, IDirect3D8& direct3d, GraphicsApp& app)
        : catalog_(catalog), direct3d_(direct3d), app_(app) {}
    HRESULT build();

  private:
    void examineAdapter(UINT ordinal);
    void examineDevice(AdapterInfo& adapter, D3DDEVTYPE type, const AdapterModes& collected);
    FormatChoice examineFormat(UINT ordinal, const DeviceInfo& device, D3DFORMAT format,
                               bool isDesktopFormat);
    void noteHardware(const D3DCAPS8& caps, bool isDesktopFormat);
    std::optional<DWORD> chooseBehavior(const D3DCAPS8& caps, D3DFORMAT format);
    bool accepts(const D3DCAPS8& caps, DWORD behavior, D3DFORMAT format);
    HRESULT selectDefault();
    HRESULT fallbackWarning() const;

    DeviceCatalog& catalog_;
    IDirect3D8& direct3d_;
    GraphicsApp& app_;
    HardwareFacts hardware_;
};

HRESULT CatalogBuilder::build() {
    catalog_.adapterCount = 0;
    UINT adapterCount = direct3d_.GetAdapterCount();
    for (UINT a = 0; a < adapterCount && catalog_.adapterCount < maxAdapters; ++a)
        examineAdapter(a);
    if (catalog_.adapterCount == 0) return errNoCompatibleDevice;
    return selectDefault();
}

// The entry counts only when the adapter has a usable device; otherwise
// the next adapter reuses it.
void CatalogBuilder::examineAdapter(UINT ordinal) {
    AdapterInfo& adapter = catalog_.adapters[catalog_.adapterCount];
    adapter = AdapterInfo{};
    adapter.ordinal = ordinal;
    direct3d_.GetAdapterIdentifier(ordinal, 0, &adapter.identifier);
    direct3d_.GetAdapterDisplayMode(ordinal, &adapter.desktopMode);
    AdapterModes collected = collectDisplayModes(direct3d_, ordinal, adapter.desktopMode.Format);
    examineDevice(adapter, D3DDEVTYPE_HAL, collected);
    examineDevice(adapter, D3DDEVTYPE_REF, collected);
    if (adapter.deviceCount > 0) ++catalog_.adapterCount;
}

// Likewise the device entry counts only when the device has a mode.
void CatalogBuilder::examineDevice(AdapterInfo& adapter, D3DDEVTYPE type,
                                   const AdapterModes& collected) {
    if (adapter.deviceCount == maxDevicesPerAdapter) return;
    DeviceInfo& device = adapter.devices[adapter.deviceCount];
    startDeviceEntry(device, direct3d_, adapter.ordinal, type);
    std::vector<FormatChoice> choices;
    for (std::size_t i = 0; i < collected.formats.size(); ++i)
        choices.push_back(examineFormat(adapter.ordinal, device, collected.formats[i], i == 0));
    listModes(device, collected, choices);
    if (type == D3DDEVTYPE_HAL && device.modeCount > 0) hardware_.hasUsableMode = true;
    device.currentMode = defaultModeIndex(device);
    if (choices[0].confirmed && (device.caps.Caps2 & D3DCAPS2_CANRENDERWINDOWED))
        device.canDoWindowed = device.windowed = true;
    if (device.modeCount > 0) ++adapter.deviceCount;
}

FormatChoice CatalogBuilder::examineFormat(UINT ordinal, const DeviceInfo& device, D3DFORMAT format,
                                           bool isDesktopFormat) {
    if (FAILED(direct3d_.CheckDeviceType(ordinal, device.deviceType, format, format, FALSE)))
        return {};
    if (device.deviceType == D3DDEVTYPE_HAL) noteHardware(device.caps, isDesktopFormat);
    std::optional<DWORD> behavior = chooseBehavior(device.caps, format);
    if (!behavior) return {};
    if (!app_.useDepthBuffer) return {true, *behavior, D3DFMT_UNKNOWN};
    DepthFormatChoice depth = chooseDepthFormat(direct3d_, ordinal, device.deviceType, format,
                                                app_.minDepthBits, app_.minStencilBits);
    if (!depth.found) return {};
    return {true, *behavior, depth.format};
}

void CatalogBuilder::noteHardware(const D3DCAPS8& caps, bool isDesktopFormat) {
    hardware_.exists = true;
    if (!(caps.Caps2 & D3DCAPS2_CANRENDERWINDOWED)) return;
    hardware_.canRenderWindowed = true;
    if (isDesktopFormat) hardware_.canRenderWindowedInDesktopFormat = true;
}

// Hardware vertex processing (pure first, where the device offers it), then
// mixed, then software: the first the application accepts.
std::optional<DWORD> CatalogBuilder::chooseBehavior(const D3DCAPS8& caps, D3DFORMAT format) {
    if (caps.DevCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT) {
        const DWORD pure = D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_PUREDEVICE;
        if ((caps.DevCaps & D3DDEVCAPS_PUREDEVICE) && accepts(caps, pure, format)) return pure;
        if (accepts(caps, D3DCREATE_HARDWARE_VERTEXPROCESSING, format))
            return D3DCREATE_HARDWARE_VERTEXPROCESSING;
        if (accepts(caps, D3DCREATE_MIXED_VERTEXPROCESSING, format))
            return D3DCREATE_MIXED_VERTEXPROCESSING;
    }
    if (accepts(caps, D3DCREATE_SOFTWARE_VERTEXPROCESSING, format))
        return D3DCREATE_SOFTWARE_VERTEXPROCESSING;
    return std::nullopt;
}

bool CatalogBuilder::accepts(const D3DCAPS8& caps, DWORD behavior, D3DFORMAT format) {
    return SUCCEEDED(app_.acceptDevice(caps, behavior, format));
}

HRESULT CatalogBuilder::selectDefault() {
    for (unsigned a = 0; a < catalog_.adapterCount; ++a) {
        AdapterInfo& adapter = catalog_.adapters[a];
        for (unsigned d = 0; d < adapter.deviceCount; ++d) {
            if (!adapter.devices[d].windowed) continue;
            adapter.currentDevice = d;
            app_.currentAdapter = a;
            app_.windowed = true;
            if (adapter.devices[d].deviceType == D3DDEVTYPE_REF)
                app_.reportError(fallbackWarning(), errorKindWarning);
            return S_OK;
        }
    }
    return errNoWindowedDevice;
}

HRESULT CatalogBuilder::fallbackWarning() const {
    if (!hardware_.exists) return errNoHardwareDevice;
    if (!hardware_.hasUsableMode) return errHardwareNotCompatible;
    if (!hardware_.canRenderWindowed) return errNoWindowedHardware;
    if (!hardware_.canRenderWindowedInDesktopFormat) return errNoDesktopHardware;
    return errHardwareNotCompatibleInMode;
}

}  // namespace

HRESULT DeviceCatalog::build(IDirect3D8& direct3d, GraphicsApp& app) {
    return CatalogBuilder(*this, direct3d, app).build();
}

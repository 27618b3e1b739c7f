#include "platform/d3d8/recording/recording_direct3d.h"

#include <algorithm>

#include "platform/d3d8/adapter_identifier.h"
#include "platform/d3d8/format_info.h"
#include "platform/d3d8/present_parameters.h"
#include "platform/d3d8/recording/recording_device.h"

namespace {

bool contains(const std::vector<D3DFORMAT>& formats, D3DFORMAT format) {
    return std::find(formats.begin(), formats.end(), format) != formats.end();
}

}  // namespace

IDirect3D8* createRecordingDirect3D(const RecordingConfig& config, CallLog& log) {
    return new RecordingDirect3D(config, log);
}

RecordingDirect3D::RecordingDirect3D(const RecordingConfig& config, CallLog& log)
    : config_(config), recorder_(log, "Direct3D", config_.forcedResults) {}

const RecordingAdapter* RecordingDirect3D::adapter(UINT adapter) const {
    return adapter < config_.adapters.size() ? &config_.adapters[adapter] : nullptr;
}

const RecordingDeviceType* RecordingDirect3D::deviceType(UINT adapterIndex, D3DDEVTYPE type) const {
    const RecordingAdapter* found = adapter(adapterIndex);
    if (found == nullptr) return nullptr;
    const RecordingDeviceType* device = type == D3DDEVTYPE_HAL   ? &found->hal
                                        : type == D3DDEVTYPE_REF ? &found->ref
                                                                 : nullptr;
    return device != nullptr && device->present ? device : nullptr;
}

ULONG RecordingDirect3D::AddRef() {
    const ULONG count = RefCounted::AddRef();
    recorder_.note("AddRef", {}, HRESULT(count));
    return count;
}

ULONG RecordingDirect3D::Release() {
    recorder_.note("Release", {}, HRESULT(references() == 0 ? 0 : references() - 1));
    return RefCounted::Release();
}

UINT RecordingDirect3D::GetAdapterCount() {
    const UINT count = UINT(config_.adapters.size());
    recorder_.note("GetAdapterCount", {}, HRESULT(count));
    return count;
}

HRESULT RecordingDirect3D::GetAdapterIdentifier(UINT adapterIndex, DWORD flags,
                                                D3DADAPTER_IDENTIFIER8* identifier) {
    return recorder_.call("GetAdapterIdentifier", {double(adapterIndex), double(flags)}, [&] {
        const RecordingAdapter* found = adapter(adapterIndex);
        if (found == nullptr || identifier == nullptr) return D3DERR_INVALIDCALL;
        *identifier = adapterIdentifier(found->driver, found->description);
        return D3D_OK;
    });
}

UINT RecordingDirect3D::GetAdapterModeCount(UINT adapterIndex) {
    const RecordingAdapter* found = adapter(adapterIndex);
    const UINT count = found == nullptr ? 0 : UINT(found->modes.size());
    recorder_.note("GetAdapterModeCount", {double(adapterIndex)}, HRESULT(count));
    return count;
}

HRESULT RecordingDirect3D::EnumAdapterModes(UINT adapterIndex, UINT mode, D3DDISPLAYMODE* out) {
    return recorder_.call("EnumAdapterModes", {double(adapterIndex), double(mode)}, [&] {
        const RecordingAdapter* found = adapter(adapterIndex);
        if (found == nullptr || out == nullptr || mode >= found->modes.size())
            return D3DERR_INVALIDCALL;
        *out = found->modes[mode];
        return D3D_OK;
    });
}

HRESULT RecordingDirect3D::GetAdapterDisplayMode(UINT adapterIndex, D3DDISPLAYMODE* out) {
    return recorder_.call("GetAdapterDisplayMode", {double(adapterIndex)}, [&] {
        const RecordingAdapter* found = adapter(adapterIndex);
        if (found == nullptr || out == nullptr) return D3DERR_INVALIDCALL;
        *out = found->desktopMode;
        return D3D_OK;
    });
}

HRESULT RecordingDirect3D::CheckDeviceType(UINT adapterIndex, D3DDEVTYPE type,
                                           D3DFORMAT displayFormat, D3DFORMAT backBufferFormat,
                                           BOOL windowed) {
    const std::initializer_list<double> args{double(adapterIndex), double(type),
                                             double(displayFormat), double(backBufferFormat),
                                             double(windowed)};
    return recorder_.call("CheckDeviceType", args, [&] {
        const RecordingDeviceType* device = deviceType(adapterIndex, type);
        if (device == nullptr || !contains(device->displayFormats, displayFormat))
            return D3DERR_NOTAVAILABLE;
        return backBufferMatchesDisplay(displayFormat, backBufferFormat) ? D3D_OK
                                                                         : D3DERR_NOTAVAILABLE;
    });
}

HRESULT RecordingDirect3D::CheckDeviceFormat(UINT adapterIndex, D3DDEVTYPE type,
                                             D3DFORMAT adapterFormat, DWORD usage,
                                             D3DRESOURCETYPE resourceType, D3DFORMAT checkFormat) {
    const std::initializer_list<double> args{double(adapterIndex),  double(type),
                                             double(adapterFormat), double(usage),
                                             double(resourceType),  double(checkFormat)};
    return recorder_.call("CheckDeviceFormat", args, [&] {
        const RecordingDeviceType* device = deviceType(adapterIndex, type);
        if (device == nullptr || !contains(device->displayFormats, adapterFormat))
            return D3DERR_NOTAVAILABLE;
        if (usage & D3DUSAGE_DEPTHSTENCIL)
            return resourceType == D3DRTYPE_SURFACE && contains(device->depthFormats, checkFormat)
                       ? D3D_OK
                       : D3DERR_NOTAVAILABLE;
        return contains(device->textureFormats, checkFormat) ? D3D_OK : D3DERR_NOTAVAILABLE;
    });
}

HRESULT RecordingDirect3D::CheckDepthStencilMatch(UINT adapterIndex, D3DDEVTYPE type,
                                                  D3DFORMAT adapterFormat,
                                                  D3DFORMAT renderTargetFormat,
                                                  D3DFORMAT depthStencilFormat) {
    const std::initializer_list<double> args{double(adapterIndex), double(type),
                                             double(adapterFormat), double(renderTargetFormat),
                                             double(depthStencilFormat)};
    return recorder_.call("CheckDepthStencilMatch", args, [&] {
        const RecordingDeviceType* device = deviceType(adapterIndex, type);
        if (device == nullptr) return D3DERR_NOTAVAILABLE;
        return contains(device->depthFormats, depthStencilFormat) ? D3D_OK : D3DERR_NOTAVAILABLE;
    });
}

HRESULT RecordingDirect3D::GetDeviceCaps(UINT adapterIndex, D3DDEVTYPE type, D3DCAPS8* caps) {
    return recorder_.call("GetDeviceCaps", {double(adapterIndex), double(type)}, [&] {
        if (adapter(adapterIndex) == nullptr || caps == nullptr) return D3DERR_INVALIDCALL;
        const RecordingDeviceType* device = deviceType(adapterIndex, type);
        if (device == nullptr) return D3DERR_NOTAVAILABLE;
        *caps = device->caps;
        return D3D_OK;
    });
}

HRESULT RecordingDirect3D::CreateDevice(UINT adapterIndex, D3DDEVTYPE type, HWND focusWindow,
                                        DWORD behavior, D3DPRESENT_PARAMETERS* params,
                                        IDirect3DDevice8** device) {
    const auto args = [&] {
        std::vector<double> spelled{double(adapterIndex), double(type), address(focusWindow),
                                    double(behavior)};
        const std::vector<double> paramArgs = presentParameterArgs(params);
        spelled.insert(spelled.end(), paramArgs.begin(), paramArgs.end());
        return spelled;
    };
    return recorder_.callWith("CreateDevice", args, [&] {
        return createDevice(adapterIndex, type, focusWindow, behavior, params, device);
    });
}

HRESULT RecordingDirect3D::createDevice(UINT adapterIndex, D3DDEVTYPE type, HWND focusWindow,
                                        DWORD behavior, D3DPRESENT_PARAMETERS* params,
                                        IDirect3DDevice8** device) {
    if (device == nullptr || params == nullptr || adapter(adapterIndex) == nullptr)
        return D3DERR_INVALIDCALL;
    *device = nullptr;
    if (deviceType(adapterIndex, type) == nullptr) return D3DERR_NOTAVAILABLE;
    if (!validBehavior(behavior)) return D3DERR_INVALIDCALL;
    completePresentParameters(*params, adapter(adapterIndex)->desktopMode.Format, 0, 0);
    const HRESULT checked = checkPresentParameters(*params);
    if (FAILED(checked)) return checked;
    *device = new RecordingDevice(*this, adapterIndex, type, focusWindow, behavior, *params);
    return D3D_OK;
}

// What the setup window shows for the pending selection: every adapter, the
// pending adapter's devices and the pending device's modes, in catalog order
// so that an item's position is its catalog index.
#include <cstdio>
#include <cstring>

#include "framework/graphics_app.h"
#include "framework/setup_dialog_model.h"

namespace {

bool isThirtyTwoBit(D3DFORMAT format) {
    return format == D3DFMT_R8G8B8 || format == D3DFMT_A8R8G8B8 || format == D3DFMT_X8R8G8B8;
}

std::string modeText(const ModeInfo& mode) {
    char text[64];
    std::snprintf(text, sizeof text, "%ld x %ld x %ld", long(mode.width), long(mode.height),
                  isThirtyTwoBit(mode.format) ? 32L : 16L);
    return text;
}

std::string description(const D3DADAPTER_IDENTIFIER8& identifier) {
    const char* text = identifier.Description;
    return std::string(text, strnlen(text, sizeof identifier.Description));
}

ChoiceList adapterList(const DeviceCatalog& catalog, unsigned selected) {
    ChoiceList list{{}, int(selected)};
    for (unsigned a = 0; a < catalog.adapterCount; ++a)
        list.items.push_back(description(catalog.adapters[a].identifier));
    return list;
}

ChoiceList deviceList(const AdapterInfo& adapter, unsigned selected) {
    ChoiceList list{{}, int(selected)};
    for (unsigned d = 0; d < adapter.deviceCount; ++d)
        list.items.emplace_back(adapter.devices[d].description);
    return list;
}

ChoiceList modeList(const DeviceInfo& device, unsigned selected) {
    ChoiceList list{{}, int(selected)};
    for (unsigned m = 0; m < device.modeCount; ++m) list.items.push_back(modeText(device.modes[m]));
    return list;
}

}  // namespace

SetupWindowContent SetupDialogModel::content() const {
    SetupWindowContent content;
    content.adapters = adapterList(app_.catalog, pending_.adapter);
    content.devices = deviceList(pendingAdapter(), pending_.device);
    content.modes = modeList(pendingDevice(), pending_.mode);
    content.modes.enabled = !pending_.windowed;
    content.windowedEnabled = pendingDevice().canDoWindowed;
    content.windowedChecked = pending_.windowed;
    return content;
}

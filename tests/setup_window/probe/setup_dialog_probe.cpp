// Shows the setup dialog over a catalog of two made-up adapters (the
// recording backend; the second one's HAL cannot render in a window) and
// prints the result and the catalog's selection afterwards, for the tests
// that drive the dialog with keys.
#include <cstdio>

#include "framework/graphics_app.h"
#include "framework/setup_dialog.h"
#include "platform/d3d8/recording/recording_direct3d.h"

namespace {

RecordingConfig twoAdapters() {
    RecordingConfig config;
    RecordingAdapter second = standardRecordingAdapter();
    second.description = "Second Adapter";
    second.hal.caps.Caps2 = 0;
    config.adapters.push_back(second);
    return config;
}

}  // namespace

int main() {
    CallLog log;
    GraphicsApp app;
    IDirect3D8* direct3d = createRecordingDirect3D(twoAdapters(), log);
    const HRESULT built = app.catalog.build(*direct3d, app);
    direct3d->Release();
    if (FAILED(built)) return 3;
    const int result = runSetupDialog(app);
    const AdapterInfo& adapter = app.catalog.adapters[app.currentAdapter];
    const DeviceInfo& device = adapter.devices[adapter.currentDevice];
    std::printf("result %d adapter %u device %u mode %u windowed %d\n", result, app.currentAdapter,
                adapter.currentDevice, device.currentMode, int(device.windowed));
    return 0;
}

#include "framework/setup_dialog_model.h"

#include "framework/graphics_app.h"

namespace {

SetupSelection catalogSelection(const GraphicsApp& app) {
    const AdapterInfo& adapter = app.catalog.adapters[app.currentAdapter];
    const DeviceInfo& device = adapter.devices[adapter.currentDevice];
    return {app.currentAdapter, adapter.currentDevice, device.currentMode, device.windowed};
}

}  // namespace

SetupDialogModel::SetupDialogModel(GraphicsApp& app)
    : app_(app), starting_(catalogSelection(app)), pending_(starting_) {}

std::optional<int> SetupDialogModel::command(const SetupCommand& command) {
    pending_.windowed = command.windowedChecked;
    if (command.control == SetupWindow::runDemo) {
        if (pending_ != starting_) writeCatalog();
        return SetupWindow::runDemo;
    }
    if (command.control == SetupWindow::runAway) return SetupWindow::runAway;
    if (command.notification == SetupWindow::CBN_SELENDOK) chooseFromList(command);
    return std::nullopt;
}

// An item outside the list (none selected) changes nothing.
void SetupDialogModel::chooseFromList(const SetupCommand& command) {
    if (command.selectedItem < 0) return;
    const auto item = unsigned(command.selectedItem);
    if (command.control == SetupWindow::adapterList && item < app_.catalog.adapterCount)
        chooseAdapter(item);
    if (command.control == SetupWindow::deviceList && item < pendingAdapter().deviceCount)
        chooseDevice(item);
    if (command.control == SetupWindow::modeList && item < pendingDevice().modeCount)
        chooseMode(item);
}

// Another adapter brings its own current device, mode and windowed choice.
void SetupDialogModel::chooseAdapter(unsigned adapter) {
    pending_.adapter = adapter;
    chooseDevice(pendingAdapter().currentDevice);
}

void SetupDialogModel::chooseDevice(unsigned device) {
    pending_.device = device;
    pending_.mode = pendingDevice().currentMode;
    pending_.windowed = pendingDevice().windowed;
}

void SetupDialogModel::chooseMode(unsigned mode) {
    pending_.mode = mode;
}

void SetupDialogModel::writeCatalog() const {
    app_.currentAdapter = pending_.adapter;
    AdapterInfo& adapter = app_.catalog.adapters[pending_.adapter];
    adapter.currentDevice = pending_.device;
    DeviceInfo& device = adapter.devices[pending_.device];
    device.currentMode = pending_.mode;
    device.windowed = pending_.windowed;
}

const AdapterInfo& SetupDialogModel::pendingAdapter() const {
    return app_.catalog.adapters[pending_.adapter];
}

const DeviceInfo& SetupDialogModel::pendingDevice() const {
    return pendingAdapter().devices[pending_.device];
}

// The setup dialog's procedure, free of any toolkit: the starting and the
// pending selection, the commands the window reports, and what the window
// shows after each of them. "run demo" writes the pending selection into
// the device catalog, and only when it differs from the starting one.
#pragma once

#include <optional>

#include "platform/gtk/setup_window.h"

class GraphicsApp;
struct AdapterInfo;
struct DeviceInfo;

// Adapter index, device index within it, mode index within that device, and
// whether that device is to run in a window.
struct SetupSelection {
    unsigned adapter = 0;
    unsigned device = 0;
    unsigned mode = 0;
    bool windowed = false;

    bool operator==(const SetupSelection&) const = default;
};

class SetupDialogModel : public SetupWindowProcedure {
  public:
    // Starting and pending selection both from the catalog (the dialog's
    // initialisation).
    explicit SetupDialogModel(GraphicsApp& app);

    // The pending "Windowed" is read from the command first; then 1 ("run
    // demo") writes and ends with 1, 2 ("run away") ends with 2, and a list's
    // CBN_SELENDOK takes its selected item. Other commands end nothing.
    std::optional<int> command(const SetupCommand& command) override;
    // The three lists with the pending items selected, "Windowed" enabled
    // only for a device that can render in a window, the mode list only for
    // full screen.
    SetupWindowContent content() const override;

    const SetupSelection& starting() const { return starting_; }
    const SetupSelection& pending() const { return pending_; }

  private:
    void chooseAdapter(unsigned adapter);
    void chooseDevice(unsigned device);
    void chooseMode(unsigned mode);
    void chooseFromList(const SetupCommand& command);
    void writeCatalog() const;
    const AdapterInfo& pendingAdapter() const;
    const DeviceInfo& pendingDevice() const;

    GraphicsApp& app_;
    SetupSelection starting_;
    SetupSelection pending_;
};

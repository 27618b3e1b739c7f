// The widgets of the setup window, laid out like dialog resource 101: the
// picture on top; below it "display adapter" and "device type" on the left,
// "video mode" (list and the two choices) and the buttons on the right.
#pragma once

#include <gtk/gtk.h>

#include "platform/gtk/setup_window.h"

struct SetupWindowWidgets {
    GtkWidget* window = nullptr;
    GtkWidget* adapterList = nullptr;
    GtkWidget* deviceList = nullptr;
    GtkWidget* modeList = nullptr;
    GtkWidget* windowedChoice = nullptr;
    GtkWidget* fullScreenChoice = nullptr;
    GtkWidget* runDemoButton = nullptr;
    GtkWidget* runAwayButton = nullptr;
};

// A new, not yet shown, toplevel window "Vexmoorra" with every control.
SetupWindowWidgets buildSetupWindow(const SetupPicture& picture);

// The setup dialog: the model behind the GTK window, or, where no window can
// be shown, the default device as if "run demo" had been pressed.
#include "framework/setup_dialog.h"

#include <cstdio>

#include "framework/setup_dialog_model.h"
#include "framework/setup_picture.h"

int runSetupDialog(GraphicsApp& app) {
    if (!openDialogDisplay()) {
        std::printf("No display for the setup dialog, running the demo on the default device\n");
        return SetupWindow::runDemo;
    }
    SetupDialogModel model(app);
    return runSetupWindow(loadSetupPicture(), model);
}

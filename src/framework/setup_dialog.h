// The setup dialog in which the viewer picks adapter, device type, mode and
// windowed or full-screen display before the window opens.
#pragma once

class GraphicsApp;

// Runs the dialog on the app's device catalog; 1 for "run demo", 2 for
// "run away".
int runSetupDialog(GraphicsApp& app);

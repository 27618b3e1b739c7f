// Start-up: demo.ini, then the framework's create and run.
#pragma once

class DemoApp;

// Reads demo.ini from the current directory and applies its switches to the
// application and the data mode. Prints a note when there is no demo.ini.
void configureFromDemoIni(DemoApp& app);

// The player's entry point: -1 when create fails, otherwise run's exit code.
int runPlayer();

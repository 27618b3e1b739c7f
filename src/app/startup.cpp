#include "app/startup.h"

#include <cstdio>

#include "app/demo_app.h"
#include "app/demo_ini.h"
#include "media/data_access.h"
#include "platform/win32/win32.h"

void configureFromDemoIni(DemoApp& app) {
    std::optional<DemoIni> ini = readDemoIni("demo.ini");
    if (!ini) {
        std::printf("No demo.ini, defaulting to unpacked data\n");
        return;
    }
    if (ini->packed == 1) DataAccess::unpackedMode = false;
    if (ini->setup == 1) app.showSetupDialog = true;
    if (ini->zb24bit == 1) app.minDepthBits = 24;
}

int runPlayer() {
    DemoApp app;
    configureFromDemoIni(app);
    if (FAILED(app.create(GetModuleHandleA(nullptr)))) return -1;
    return app.run();
}

// tessal-y3d: shows what y3d scene files hold and makes them from OBJ models.
#include <cstdio>
#include <string>

#include "y3d_commands.h"
#include "y3d_options.h"

int main(int argc, char** argv) {
    Y3dToolOptions options;
    std::string error;
    if (!parseY3dOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "tessal-y3d: %s (see tessal-y3d --help)\n", error.c_str());
        return 2;
    }
    switch (options.command) {
        case Y3dCommand::Info:
            return runInfo(options);
        case Y3dCommand::Convert:
            return runConvert(options);
        case Y3dCommand::Help:
            std::fputs(y3dUsage(), stdout);
            return 0;
    }
    return 2;
}

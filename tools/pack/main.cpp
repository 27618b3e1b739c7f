// tessal-pack: makes, lists and reads the archives that packed mode plays.
#include <cstdio>
#include <string>

#include "pack_commands.h"
#include "pack_options.h"

int main(int argc, char** argv) {
    PackToolOptions options;
    std::string error;
    if (!parsePackOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "tessal-pack: %s (see tessal-pack --help)\n", error.c_str());
        return 2;
    }
    switch (options.command) {
        case PackCommand::Pack:
            return runPack(options);
        case PackCommand::List:
            return runList(options);
        case PackCommand::Cat:
            return runCat(options);
        case PackCommand::Help:
            std::fputs(packUsage(), stdout);
            return 0;
    }
    return 2;
}

#include "app/check/check_options.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char* const usage =
    "usage: tessal-check DIR [--fps N] [--json]\n"
    "Plays the production in DIR headless from its start time to its end time, in the\n"
    "mode its demo.ini gives, and reports every problem a viewer would meet, one line\n"
    "each. Exit status: 0 when nothing is found, 1 when problems are found, 2 on a\n"
    "usage error.\n"
    "  --fps N   frames played per second of demo time (default 10)\n"
    "  --json    the report as one JSON object\n";

int fail(const char* what, const char* value) {
    std::fprintf(stderr, "tessal-check: %s: %s\n", what, value ? value : "(missing)");
    return 2;
}

bool parseFps(const char* text, int& fps) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || value < 1 || value > 1000) return false;
    fps = int(value);
    return true;
}

}  // namespace

int parseCheckOptions(int argc, char** argv, CheckOptions& options) {
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (!std::strcmp(arg, "--help") || !std::strcmp(arg, "-h")) {
            std::fputs(usage, stdout);
            return 0;
        }
        if (!std::strcmp(arg, "--json")) {
            options.json = true;
        } else if (!std::strcmp(arg, "--fps")) {
            const char* value = i + 1 < argc ? argv[++i] : nullptr;
            if (!value) return fail("missing value for", arg);
            if (!parseFps(value, options.fps))
                return fail("bad frame rate for --fps (a whole number from 1 to 1000)", value);
        } else if (arg[0] == '-' && arg[1] != '\0') {
            return fail("unknown option", arg);
        } else if (options.productionDir.empty()) {
            options.productionDir = arg;
        } else {
            return fail("unexpected argument", arg);
        }
    }
    if (!options.productionDir.empty()) return -1;
    std::fputs(usage, stderr);
    return 2;
}

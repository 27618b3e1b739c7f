// Command line of tessal-check.
#pragma once

#include <string>

struct CheckOptions {
    std::string productionDir;
    int fps = 10;       // frames per second of demo time played
    bool json = false;  // one JSON object instead of one line per problem
};

// Parses argv into options. Returns -1 to go on, or the exit code to end
// with: 0 after --help, 2 after one clear message about bad input.
int parseCheckOptions(int argc, char** argv, CheckOptions& options);

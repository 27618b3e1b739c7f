// The command line of tessal-pack.
#pragma once

#include <string>
#include <vector>

enum class PackCommand { Pack, List, Cat, Help };

struct PackToolOptions {
    PackCommand command = PackCommand::Help;
    std::string password = "quillo";  // what packed mode uses
    bool solid = false;
    bool store = false;
    std::string archive;
    std::vector<std::string> paths;  // pack: files and directories
    std::string member;              // cat
};

// Fills options; on a usage error returns false with a one-line message.
bool parsePackOptions(int argc, char** argv, PackToolOptions& options, std::string& error);

const char* packUsage();

// A temporary production folder (demo.ini, data/) for end-to-end runs.
#pragma once

#include <filesystem>
#include <string>

class ProductionDir {
  public:
    ProductionDir();
    ~ProductionDir();
    ProductionDir(const ProductionDir&) = delete;
    ProductionDir& operator=(const ProductionDir&) = delete;

    // Writes a file relative to the folder (subfolders are created).
    void write(const std::string& name, const std::string& contents) const;
    std::filesystem::path path;
};

// Runs a shell command in `dir`; returns its exit status (-1 when it could
// not run) and what it wrote to standard output and error.
struct CommandResult {
    int exitCode = -1;
    std::string output;
};
CommandResult runIn(const std::filesystem::path& dir, const std::string& command);

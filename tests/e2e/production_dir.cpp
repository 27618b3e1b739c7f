#include "production_dir.h"

#include <stdlib.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <fstream>

namespace fs = std::filesystem;

ProductionDir::ProductionDir() {
    std::string pattern = (fs::temp_directory_path() / "tessal-e2e-XXXXXX").string();
    path = mkdtemp(pattern.data());
    fs::create_directories(path / "data");
}

ProductionDir::~ProductionDir() {
    std::error_code error;
    fs::remove_all(path, error);
}

void ProductionDir::write(const std::string& name, const std::string& contents) const {
    fs::path file = path / name;
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << contents;
}

CommandResult runIn(const fs::path& dir, const std::string& command) {
    CommandResult result;
    std::string line = "cd '" + dir.string() + "' && " + command + " 2>&1";
    FILE* pipe = popen(line.c_str(), "r");
    if (!pipe) return result;
    std::array<char, 4096> buffer;
    std::size_t read = 0;
    while ((read = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        result.output.append(buffer.data(), read);
    int status = pclose(pipe);
    if (WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
    return result;
}

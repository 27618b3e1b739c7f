#include "temp_production.h"

#include <stdlib.h>

#include <chrono>
#include <fstream>

namespace fs = std::filesystem;

TempProduction::TempProduction() {
    previous_ = fs::current_path();
    std::string pattern = (fs::temp_directory_path() / "tessal-app-XXXXXX").string();
    dir = mkdtemp(pattern.data());
    fs::create_directories(dir / "data");
    fs::current_path(dir);
}

TempProduction::~TempProduction() {
    fs::current_path(previous_);
    std::error_code error;
    fs::remove_all(dir, error);
}

void TempProduction::write(const std::string& name, const std::string& contents) {
    fs::path path = dir / "data" / name;
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << contents;
}

// File systems with coarse time stamps could give two quick writes the same
// time; each write gets a time of its own, a second apart.
void TempProduction::writeScript(const std::string& contents) {
    write("script.lua", contents);
    auto time = fs::file_time_type::clock::now() + std::chrono::seconds(++scriptWrites_);
    fs::last_write_time(dir / "data" / "script.lua", time);
}

// A production for a benchmark: data/script.lua and any files beside it,
// in a temporary folder that is the current folder for the production's
// life, as the player expects of an unpacked production.
#pragma once

#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

class BenchProduction {
  public:
    explicit BenchProduction(const std::string& script) {
        namespace fs = std::filesystem;
        previous_ = fs::current_path();
        std::string pattern = (fs::temp_directory_path() / "tessal-bench-XXXXXX").string();
        dir_ = mkdtemp(pattern.data());
        fs::create_directories(dir_ / "data");
        std::ofstream(dir_ / "data/script.lua") << script;
        fs::current_path(dir_);
    }
    ~BenchProduction() {
        std::filesystem::current_path(previous_);
        std::filesystem::remove_all(dir_);
    }
    BenchProduction(const BenchProduction&) = delete;
    BenchProduction& operator=(const BenchProduction&) = delete;

    void addFile(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        std::ofstream(dir_ / "data" / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }

  private:
    std::filesystem::path dir_, previous_;
};

// A fresh temporary directory made the current one for a test, holding a
// data/ directory for the production's files.
#pragma once

#include <filesystem>
#include <string>

class TempProduction {
  public:
    TempProduction();
    ~TempProduction();
    TempProduction(const TempProduction&) = delete;
    TempProduction& operator=(const TempProduction&) = delete;

    // Writes data/<name> (subdirectories are created).
    void write(const std::string& name, const std::string& contents);
    // Writes data/script.lua and gives it a modification time of its own.
    void writeScript(const std::string& contents);

    std::filesystem::path dir;

  private:
    std::filesystem::path previous_;
    long scriptWrites_ = 0;
};

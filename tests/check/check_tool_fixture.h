// Small productions in a fresh folder, checked by the tessal-check tool.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

struct CheckRun {
    int exitCode = -1;
    std::string output;  // standard output only
    // (kind, name) of each problem, read from the --json report.
    std::vector<std::pair<std::string, std::string>> problems;
};

class CheckTool : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    void write(const std::string& name, const std::string& contents);
    // A file of the sample production copied into data/.
    void copySample(const std::string& name);
    // Packs the named data/ files into data.rar and switches to packed mode.
    void pack(const std::string& names);
    CheckRun check(const std::string& options = "--json");

    std::filesystem::path dir;
};

// Runs tessal-check on folder with the options.
CheckRun checkFolder(const std::string& folder, const std::string& options);
bool hasProblem(const CheckRun& run, const std::string& kind, const std::string& name);

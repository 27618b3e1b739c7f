#include "check/check_tool_fixture.h"

#include <stdlib.h>
#include <sys/wait.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <regex>

namespace fs = std::filesystem;

namespace {

const std::string toolDir = std::string(TESSAL_BINARY_DIR) + "/tools/";

CheckRun runCommand(const std::string& command) {
    CheckRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    std::array<char, 4096> buffer;
    std::size_t read = 0;
    while ((read = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        run.output.append(buffer.data(), read);
    const int status = pclose(pipe);
    if (WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
    return run;
}

void readProblems(CheckRun& run) {
    static const std::regex problem("\\{\"kind\":\"([^\"]*)\",\"name\":\"([^\"]*)\"");
    for (std::sregex_iterator it(run.output.begin(), run.output.end(), problem), end; it != end;
         ++it)
        run.problems.emplace_back((*it)[1], (*it)[2]);
}

}  // namespace

void CheckTool::SetUp() {
    std::string pattern = (fs::temp_directory_path() / "tessal-check-XXXXXX").string();
    dir = mkdtemp(pattern.data());
    fs::create_directories(dir / "data");
}

void CheckTool::TearDown() {
    std::error_code error;
    fs::remove_all(dir, error);
}

void CheckTool::write(const std::string& name, const std::string& contents) {
    std::ofstream(dir / name, std::ios::binary) << contents;
}

void CheckTool::copySample(const std::string& name) {
    fs::copy_file(fs::path(TESSAL_SOURCE_DIR) / "demo/data" / name, dir / "data" / name);
}

void CheckTool::pack(const std::string& names) {
    const std::string command = "cd '" + dir.string() + "/data' && '" + toolDir +
                                "tessal-pack' pack ../data.rar " + names + " >/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    write("demo.ini", "packed 1\n");
}

CheckRun checkFolder(const std::string& folder, const std::string& options) {
    CheckRun run =
        runCommand("'" + toolDir + "tessal-check' '" + folder + "' " + options + " 2>/dev/null");
    readProblems(run);
    return run;
}

CheckRun CheckTool::check(const std::string& options) {
    return checkFolder(dir.string(), options);
}

bool hasProblem(const CheckRun& run, const std::string& kind, const std::string& name) {
    return std::find(run.problems.begin(), run.problems.end(), std::make_pair(kind, name)) !=
           run.problems.end();
}

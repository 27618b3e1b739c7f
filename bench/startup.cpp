// Start-up as a viewer meets it: the real player, started as a process,
// playing a release copy of the sample production (packed, with its music)
// headless. The script's end time is set to 0, so the player ends right after
// its first presented frame: the time from process start to its exit bounds
// the time to the first frame from above. The reference, measured in the same
// run, is starting and ending a process that does nothing (/bin/true).
// Target: under 300 ms.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "bench_clock.h"
#include "bench_goal.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

const fs::path kBuild = TESSAL_BINARY_DIR;
const fs::path kDemo = fs::path(TESSAL_SOURCE_DIR) / "demo";

std::string readFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// A copy of the sample production that ends after its first frame.
fs::path makeQuickProduction(const fs::path& root) {
    fs::remove_all(root);
    fs::create_directories(root / "source");
    fs::copy(kDemo / "data", root / "source", fs::copy_options::recursive);
    std::string script = readFile(root / "source" / "script.lua");
    script += "\nsetendtime(0)\n";
    std::ofstream(root / "source" / "script.lua", std::ios::binary) << script;
    const fs::path release = root / "release";
    fs::create_directories(release / "data");
    fs::copy_file(kDemo / "data" / "music.ogg", release / "data" / "music.ogg");
    std::ofstream(release / "demo.ini") << "packed 1\nsetup 0\nzb24bit 0\n";
    const std::string pack = "'" + (kBuild / "tools" / "tessal-pack").string() + "' pack '" +
                             (release / "data.rar").string() + "' '" + (root / "source").string() +
                             "' > /dev/null";
    return std::system(pack.c_str()) == 0 ? release : fs::path();
}

// Wall-clock seconds from starting `program` in `dir` to its end; -1 on failure.
double runSeconds(const std::string& program, const fs::path& dir) {
    const fs::path previous = fs::current_path();
    fs::current_path(dir);
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
    const double start = wallSeconds();
    pid_t child = 0;
    const int spawned = posix_spawn(&child, program.c_str(), nullptr, nullptr, argv, environ);
    int status = 0;
    if (spawned == 0) waitpid(child, &status, 0);
    const double seconds = wallSeconds() - start;
    fs::current_path(previous);
    return spawned == 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0 ? seconds : -1;
}

double median(std::vector<double> values) {
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

void startUp(benchmark::State& state) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    const fs::path release = makeQuickProduction(fs::temp_directory_path() / "tessal-startup");
    if (release.empty()) return state.SkipWithError("cannot pack the sample production");
    const std::string player = (kBuild / "tessal").string();
    std::vector<double> player_runs, reference_runs;
    for (auto _ : state) {
        player_runs.push_back(runSeconds(player, release));
        reference_runs.push_back(runSeconds("/bin/true", release));
        if (player_runs.back() < 0) return state.SkipWithError("the player failed");
    }
    const double seconds = median(player_runs), reference = median(reference_runs);
    state.counters["first_frame_ms"] = seconds * 1e3;
    state.counters["x_empty_process"] = seconds / reference;
    reportGoal("startup_to_first_frame_packed", withUnit(seconds * 1e3, "ms", 0), "<300ms",
               seconds < 0.3);
    fs::remove_all(release.parent_path());
}

}  // namespace

BENCHMARK(startUp)
    ->Name("startup/packed_sample_to_first_frame")
    ->Iterations(9)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();

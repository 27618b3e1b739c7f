// Ending the player and the capture tool from outside while a script runs
// away: Ctrl+C (SIGINT) and SIGTERM end them within a second, through their
// usual clean-up.
#include <gtest/gtest.h>

#include "production_dir.h"

namespace {

const std::string player = std::string(TESSAL_BINARY_DIR) + "/tessal";
const std::string capture = std::string(TESSAL_BINARY_DIR) + "/tools/tessal-capture";

// The script says it runs (on standard error, which is not buffered), then
// never ends.
const char* const kRunaway = "_ALERT('running\\n')\nx = 0\nwhile 1 do x = x + 1 end\n";

// Starts `program`, sends the signal once the script runs, and reports the
// exit code and the milliseconds from the signal to the end.
CommandResult signalledRun(const ProductionDir& production, const std::string& program,
                           const char* signal) {
    return runIn(production.path,
                 "true; SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy timeout 60 " + program +
                     " > out.txt 2>&1 & pid=$!; for i in $(seq 600); do "
                     "grep -q running out.txt && break; sleep 0.05; done; start=$(date +%s%N); "
                     "kill -" +
                     signal +
                     " $pid; wait $pid; code=$?; end=$(date +%s%N); "
                     "cat out.txt; echo \"ended after $(( (end - start) / 1000000 )) ms\"; "
                     "exit $code");
}

int endedAfterMilliseconds(const std::string& output) {
    const std::size_t at = output.find("ended after ");
    return at == std::string::npos ? -1 : std::stoi(output.substr(at + 12));
}

TEST(QuitRequests, SignalsEndARunawayScriptPromptlyAndCleanly) {
    ProductionDir production;
    production.write("data/script.lua", kRunaway);
    for (const char* signal : {"INT", "TERM"}) {
        const CommandResult run = signalledRun(production, player, signal);
        EXPECT_EQ(run.exitCode, 0) << signal << ": " << run.output;
        EXPECT_NE(run.output.find("script interrupted"), std::string::npos) << run.output;
        const int ms = endedAfterMilliseconds(run.output);
        EXPECT_GE(ms, 0) << run.output;
        EXPECT_LT(ms, 1000) << signal;
    }
    const CommandResult captured = signalledRun(production, capture + " . --out frames", "INT");
    EXPECT_EQ(captured.exitCode, 1) << captured.output;
    EXPECT_LT(endedAfterMilliseconds(captured.output), 1000) << captured.output;
}

}  // namespace

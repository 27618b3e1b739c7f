// tessal-check: plays a production headless from its start time to its end
// time and reports every problem a viewer would meet, before it is released.
#include <unistd.h>

#include <cstdio>

#include "app/check/check_options.h"
#include "app/check/check_session.h"
#include "app/check/problem_text.h"
#include "check_report_json.h"

namespace {

void printReport(const CheckOptions& options, const CheckReport& report) {
    if (options.json) {
        std::printf("%s\n", checkReportJson(options.productionDir, report).c_str());
        return;
    }
    for (const Problem& problem : report.problems)
        std::printf("%s\n", problemLine(problem).c_str());
    std::fprintf(stderr, "tessal-check: %s (%s): %zu problem%s, %d frames played\n",
                 options.productionDir.c_str(), report.packed ? "packed" : "unpacked",
                 report.problems.size(), report.problems.size() == 1 ? "" : "s",
                 report.framesPlayed);
}

}  // namespace

int main(int argc, char** argv) {
    CheckOptions options;
    const int exitCode = parseCheckOptions(argc, argv, options);
    if (exitCode >= 0) return exitCode;
    if (chdir(options.productionDir.c_str()) != 0) {
        std::fprintf(stderr, "tessal-check: cannot enter %s\n", options.productionDir.c_str());
        return 2;
    }
    const CheckReport report = runCheck(options);
    if (!report.started) {
        std::fprintf(stderr, "tessal-check: %s: the player cannot start: %s\n",
                     options.productionDir.c_str(), report.startError.c_str());
        return 1;
    }
    printReport(options, report);
    if (report.interrupted) {
        std::fprintf(stderr, "tessal-check: interrupted after %d frames\n", report.framesPlayed);
        return 1;
    }
    return report.problems.empty() ? 0 : 1;
}

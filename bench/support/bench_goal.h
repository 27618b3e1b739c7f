// The summary line a benchmark prints for each target it checks, which
// `make bench` gathers at the end:
//   goal NAME measured MEASURED target TARGET ok|MISS
// MEASURED and TARGET carry their unit (for example "0.62ms" and "<1ms",
// "1.07x" and "<=1.2x"). A benchmark that Google Benchmark runs several
// times reports each time; the last line of a name counts.
#pragma once

#include <cstdio>
#include <string>

// `met` says whether the measured value meets the target.
inline void reportGoal(const std::string& name, const std::string& measured,
                       const std::string& target, bool met) {
    std::printf("goal %s measured %s target %s %s\n", name.c_str(), measured.c_str(),
                target.c_str(), met ? "ok" : "MISS");
    std::fflush(stdout);
}

// A number with a unit, as the goal lines show it: "0.62ms", "1.07x".
inline std::string withUnit(double value, const char* unit, int decimals = 2) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f%s", decimals, value, unit);
    return text;
}

// Running a piece of work in a child process with a limit on processor
// time, so that a crash or an endless loop in it (an importer reading a
// damaged file) ends the child and leaves the caller to say so.
#pragma once

#include <functional>

struct ContainedEnd {
    enum class How { Exited, OutOfTime, Crashed };
    How how = How::Exited;
    int code = 0;  // the exit status when Exited, the signal when Crashed
};

// Runs `work` in a forked child that may use `cpuSeconds` of processor
// time and exits with what `work` returns. When no child can be made,
// `work` runs in this process.
ContainedEnd runContained(const std::function<int()>& work, unsigned cpuSeconds);

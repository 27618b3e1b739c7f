#include "contained_run.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>

namespace {

// Past the limit the child gets SIGXCPU, and a second later SIGKILL in
// case it ignores that.
[[noreturn]] void runAsChild(const std::function<int()>& work, unsigned cpuSeconds) {
    const rlimit cpu{cpuSeconds, cpuSeconds + 1};
    ::setrlimit(RLIMIT_CPU, &cpu);
    const int code = work();
    std::fflush(nullptr);
    ::_exit(code);
}

ContainedEnd endOf(int status) {
    if (WIFEXITED(status)) return {ContainedEnd::How::Exited, WEXITSTATUS(status)};
    if (WIFSIGNALED(status) && WTERMSIG(status) == SIGXCPU) return {ContainedEnd::How::OutOfTime};
    return {ContainedEnd::How::Crashed, WIFSIGNALED(status) ? WTERMSIG(status) : 0};
}

}  // namespace

ContainedEnd runContained(const std::function<int()>& work, unsigned cpuSeconds) {
    std::fflush(nullptr);  // nothing buffered is written twice
    const pid_t child = ::fork();
    if (child < 0) return {ContainedEnd::How::Exited, work()};
    if (child == 0) runAsChild(work, cpuSeconds);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return endOf(status);
}

#include "app/check/console_silence.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

namespace {

// Points fd at /dev/null; returns a copy of what it was, or -1.
int silence(int fd) {
    const int saved = ::dup(fd);
    const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (saved >= 0 && null >= 0) ::dup2(null, fd);
    if (null >= 0) ::close(null);
    return saved;
}

void restore(int fd, int saved) {
    if (saved < 0) return;
    ::dup2(saved, fd);
    ::close(saved);
}

}  // namespace

ConsoleSilence::ConsoleSilence() {
    std::fflush(stdout);
    std::fflush(stderr);
    savedOutput_ = silence(STDOUT_FILENO);
    savedError_ = silence(STDERR_FILENO);
}

ConsoleSilence::~ConsoleSilence() {
    std::fflush(stdout);
    std::fflush(stderr);
    restore(STDOUT_FILENO, savedOutput_);
    restore(STDERR_FILENO, savedError_);
}

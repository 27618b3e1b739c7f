#include "child_process.h"

#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

void applyEnvironment(const std::map<std::string, std::optional<std::string>>& environment) {
    for (const auto& [name, value] : environment) {
        if (value)
            setenv(name.c_str(), value->c_str(), 1);
        else
            unsetenv(name.c_str());
    }
}

// Appends whatever is ready on the pipes within the wait.
void drain(pollfd (&fds)[2], std::string* (&into)[2], int waitMs) {
    if (poll(fds, 2, waitMs) <= 0) return;
    for (int i = 0; i < 2; ++i) {
        if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP))) continue;
        char buffer[4096];
        const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
        if (n > 0)
            into[i]->append(buffer, std::size_t(n));
        else
            fds[i].fd = -1;  // closed; the destructor closes the descriptor
    }
}

}  // namespace

ChildProcess::ChildProcess(const std::string& program,
                           const std::map<std::string, std::optional<std::string>>& environment,
                           const std::string& folder) {
    int out[2], err[2];
    if (pipe(out) != 0 || pipe(err) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
        dup2(out[1], 1);
        dup2(err[1], 2);
        close(out[0]);
        close(err[0]);
        applyEnvironment(environment);
        if (chdir(folder.c_str()) != 0) _exit(126);
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    close(err[1]);
    out_ = out[0];
    err_ = err[0];
}

ChildProcess::~ChildProcess() {
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    if (out_ >= 0) close(out_);
    if (err_ >= 0) close(err_);
}

// Whatever the child started may keep the pipes open after it has gone, so
// its exit, not the pipes' end, ends the wait.
ChildOutcome ChildProcess::wait(std::chrono::milliseconds timeout) {
    ChildOutcome outcome;
    pollfd fds[2] = {{out_, POLLIN, 0}, {err_, POLLIN, 0}};
    std::string* into[2] = {&outcome.out, &outcome.err};
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    int status = 0;
    while (pid_ > 0 && std::chrono::steady_clock::now() < deadline) {
        drain(fds, into, 50);
        if (waitpid(pid_, &status, WNOHANG) == pid_) pid_ = -1;
    }
    for (int i = 0; i < 20 && (fds[0].fd >= 0 || fds[1].fd >= 0); ++i) drain(fds, into, 10);
    if (pid_ < 0 && WIFEXITED(status)) outcome.exitCode = WEXITSTATUS(status);
    return outcome;
}

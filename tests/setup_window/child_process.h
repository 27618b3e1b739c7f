// A program run by a test while the test acts on what it shows: started with
// its own environment and folder, its standard output and error collected.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <map>
#include <optional>
#include <string>

struct ChildOutcome {
    int exitCode = -1;  // -1 when it did not exit by itself in time (then killed)
    std::string out;
    std::string err;
};

class ChildProcess {
  public:
    // Variables mapped to nullopt are removed from the child's environment.
    ChildProcess(const std::string& program,
                 const std::map<std::string, std::optional<std::string>>& environment,
                 const std::string& folder = ".");
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Collects the output until the child exits or the time is up.
    ChildOutcome wait(std::chrono::milliseconds timeout);

  private:
    pid_t pid_ = -1;
    int out_ = -1;
    int err_ = -1;
};

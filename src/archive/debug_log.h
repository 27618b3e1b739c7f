// The archive reader's own diagnostics: a text file that exists only when
// its directory does. The reader never creates the directory and prints
// nothing on the console.
#pragma once

#include <chrono>
#include <string>

class DebugLog {
  public:
    explicit DebugLog(std::string path) : path_(std::move(path)) {}

    // The process-wide log, /tmp/tessal/debug_archive.txt.
    static DebugLog& archive();

    // On the first call only: create or truncate the file and write its
    // title. If that fails, logging stays off for good.
    void start();
    bool isOn() const { return on_; }
    const std::string& path() const { return path_; }

    // Appends one message with the milliseconds since start and the
    // reporting point (the caller's line and file).
    void write(const std::string& message, unsigned line = __builtin_LINE(),
               const char* unit = __builtin_FILE());

  private:
    std::string path_;
    bool started_ = false;
    bool on_ = false;
    std::chrono::steady_clock::time_point startTime_;
};

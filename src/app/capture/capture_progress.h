// What tessal-capture says while it works: on a terminal a line rewritten
// with the frame, the frames per second and the time left; otherwise one
// summary line at the end.
#pragma once

#include <chrono>
#include <cstdio>

class CaptureProgress {
  public:
    CaptureProgress(int total, bool terminal, std::FILE* out = stderr);
    void frameDone(int done);
    // `done` frames were captured in all.
    void end(int done);

  private:
    double seconds() const;

    int total_;
    bool terminal_;
    std::FILE* out_;
    std::chrono::steady_clock::time_point start_;
    std::chrono::steady_clock::time_point lastShown_;
};

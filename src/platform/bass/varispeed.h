// Plays 16-bit stereo frames a little faster or slower than they come: the
// output frames are taken `speed` input frames apart, each interpolated from
// the four input frames around it (cubic Hermite). A speed a fraction of a
// percent from 1 is not heard as a change of pitch, which is how the layer
// keeps music in step with a clock without jumps.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

class Varispeed {
  public:
    // Writes up to `count` frames to out, taking input from `pull` (which
    // writes up to n frames and returns how many). Fewer when the input
    // runs short.
    using Pull = std::function<int(std::int16_t* to, int n)>;
    int process(std::int16_t* out, int count, double speed, const Pull& pull);
    // Forgets the input held (after a jump).
    void reset();
    // Input frames taken but not yet played out.
    double heldFrames() const;

  private:
    bool ensureInput(std::size_t last, const Pull& pull);
    std::size_t frames() const { return window_.size() / 2; }

    std::vector<std::int16_t> window_;  // input frames, interleaved
    double position_ = 1.0;             // of the next output frame, in window frames
    bool started_ = false;
};

// An output device simulated on a clock of its own, for tests and
// measurements: it asks the mixer for a buffer whenever a device whose clock
// runs `speed` times as fast as the layer's would, up to `jitterSeconds`
// late (as a real device's thread is woken), and it can stall. The layer's
// clock is simulated too: it reads what this device says.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/bass/mixer.h"

class SimulatedOutput {
  public:
    SimulatedOutput(Mixer& mixer, double speed, double startSeconds, double jitterSeconds = 0.002,
                    int rate = 44100, int bufferFrames = 1024);

    // Moves the clock on to the next buffer and fills it (stereo frames).
    const std::vector<std::int16_t>& nextBuffer();
    // The layer's clock when the last buffer was asked for.
    double now() const { return now_; }
    // No buffer is asked for during the next `seconds`.
    void stall(double seconds) { due_ += seconds; }

  private:
    Mixer& mixer_;
    double bufferSeconds_;  // by the layer's clock
    double jitterSeconds_;
    double now_;
    double due_;
    unsigned random_ = 1;
    std::vector<std::int16_t> buffer_;
};

// Playing a demo at fixed steps of time on a manual clock, as tessal-capture
// and tessal-check do: the frame timer sees exactly the time of each step.
#pragma once

#include <cstdint>

#include "framework/manual_clock.h"

// Steps of 1/fps from `from` up to and including `to` (a small tolerance
// keeps `to` itself when it falls on a step); none when `to` is before
// `from` or not a number, and at most a day of demo time.
int stepCount(double from, double to, int fps);

class DemoSteps {
  public:
    // Application time 0 is the clock as it is now: the restart.
    explicit DemoSteps(ManualClock& clock);
    // Sets the clock to `appTime` seconds after the restart.
    void moveTo(double appTime);

  private:
    ManualClock& clock_;
    std::int64_t zero_;
};

#include "app/demo_steps.h"

#include <algorithm>
#include <cmath>

#include "framework/frame_timer.h"

int stepCount(double from, double to, int fps) {
    if (!(to >= from)) return 0;
    const double steps = std::floor((to - from) * fps + 1e-6) + 1;
    return int(std::min(steps, 86400.0 * fps));
}

DemoSteps::DemoSteps(ManualClock& clock) : clock_(clock), zero_(clock.counter()) {
    // The timer's elapsed-time mark goes one tick back, so that a step at
    // time 0 is not taken for a stopped clock.
    clock_.setCounter(zero_ - 1);
    frameTimer()(TIMER_GETELAPSEDTIME);
}

void DemoSteps::moveTo(double appTime) {
    clock_.setCounter(zero_ + std::llround(appTime * double(clock_.frequency())));
}

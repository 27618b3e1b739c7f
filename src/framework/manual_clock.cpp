#include "framework/manual_clock.h"

#include <cmath>

bool ManualClock::queryFrequency(std::int64_t* ticksPerSecond) {
    if (!hasCounter_) return false;
    *ticksPerSecond = ticksPerSecond_;
    return true;
}

DWORD ManualClock::milliseconds() {
    return DWORD(counter_ * 1000 / ticksPerSecond_);
}

void ManualClock::advanceSeconds(double seconds) {
    counter_ += std::llround(seconds * double(ticksPerSecond_));
}

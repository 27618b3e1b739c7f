// A clock that moves only when told to: for tests and for tools that play a
// production at a fixed frame step. Without a counter it acts like a
// machine that has only the millisecond timer.
#pragma once

#include <cstdint>

#include "framework/frame_timer.h"

class ManualClock : public ClockSource {
  public:
    // Starts one second in: a clock stopped at exactly 0 would not count as
    // stopped.
    explicit ManualClock(std::int64_t ticksPerSecond = 1'000'000, bool hasCounter = true)
        : ticksPerSecond_(ticksPerSecond), counter_(ticksPerSecond), hasCounter_(hasCounter) {}

    bool queryFrequency(std::int64_t* ticksPerSecond) override;
    std::int64_t queryCounter() override { return counter_; }
    // The counter in whole milliseconds (the millisecond timer's view).
    DWORD milliseconds() override;

    std::int64_t counter() const { return counter_; }
    std::int64_t frequency() const { return ticksPerSecond_; }
    void setCounter(std::int64_t ticks) { counter_ = ticks; }
    void advance(std::int64_t ticks) { counter_ += ticks; }
    void advanceSeconds(double seconds);

  private:
    std::int64_t ticksPerSecond_;
    std::int64_t counter_;
    bool hasCounter_;
};

// The framework's clock: one operation taking a command, returning seconds.
// It can be stopped so that application time stands still (pause, restart).
#pragma once

#include <cstdint>

#include "platform/win32/windef.h"

enum TimerCommand : int {
    TIMER_RESET = 0,
    TIMER_START = 1,
    TIMER_STOP = 2,
    TIMER_GETABSOLUTETIME = 5,
    TIMER_GETAPPTIME = 6,
    TIMER_GETELAPSEDTIME = 7,
};

// Where the timer reads time from: the performance counter when there is
// one, otherwise the millisecond timer. Tests and the capture tool supply a
// clock they step by hand.
class ClockSource {
public:
    virtual ~ClockSource() = default;
    virtual bool queryFrequency(std::int64_t* ticksPerSecond) = 0;
    virtual std::int64_t queryCounter() = 0;
    virtual DWORD milliseconds() = 0;
};

// The system's clock (QueryPerformanceCounter / timeGetTime).
ClockSource& systemClock();

class FrameTimer {
public:
    explicit FrameTimer(ClockSource& clock) : clock_(clock) {}
    float operator()(int command);

private:
    struct Reading;
    void chooseSource();
    double nowSeconds(bool readSource);
    double seconds(double a, double b) const;

    ClockSource& clock_;
    bool initialised_ = false;
    bool useCounter_ = false;
    std::int64_t ticksPerSecond_ = 0;
    // Counter ticks (counter source) or seconds (millisecond source).
    double baseTime_ = 0;
    double stopTime_ = 0;
    double lastElapsedTime_ = 0;
};

// The process-wide frame timer the framework and the demo use.
FrameTimer& frameTimer();
// Points the process-wide timer at another clock (the capture tool's fixed
// step). Call before the first frame.
void useClockForFrameTimer(ClockSource& clock);

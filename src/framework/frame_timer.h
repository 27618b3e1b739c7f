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
    explicit FrameTimer(ClockSource& clock) : clock_(&clock) {}
    // Runs a command: reset 0, start 1, stop 2 return 0; absoluteTime 5,
    // appTime 6 and elapsedTime 7 return seconds; any other number -1.
    float operator()(int command);
    bool stopped() const;

  private:
    // Stored times: counter ticks, or seconds with the millisecond source.
    template <typename Time>
    struct State {
        Time baseTime{};
        Time stopTime{};  // non-zero while stopped
        Time lastElapsedTime{};
    };

    void chooseSourceOnce();
    template <typename Time, typename ReadSource>
    float execute(State<Time>& state, int command, ReadSource readSource);
    float seconds(std::int64_t ticks) const;
    float seconds(double value) const { return float(value); }

    ClockSource* clock_;
    bool sourceChosen_ = false;
    bool useCounter_ = false;
    std::int64_t ticksPerSecond_ = 0;
    State<std::int64_t> counterState_;
    State<double> millisecondState_;
};

// The process-wide frame timer the framework and the demo use.
FrameTimer& frameTimer();
// Points the process-wide timer at another clock (the capture tool's fixed
// step) and starts it afresh. Call before the first frame.
void useClockForFrameTimer(ClockSource& clock);

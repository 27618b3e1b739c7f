#include "framework/frame_timer.h"

void FrameTimer::chooseSourceOnce() {
    if (sourceChosen_) return;
    sourceChosen_ = true;
    useCounter_ = clock_->queryFrequency(&ticksPerSecond_) && ticksPerSecond_ > 0;
}

float FrameTimer::operator()(int command) {
    chooseSourceOnce();
    if (useCounter_)
        return execute(counterState_, command, [this] { return clock_->queryCounter(); });
    return execute(millisecondState_, command,
                   [this] { return double(clock_->milliseconds()) * 0.001; });
}

bool FrameTimer::stopped() const {
    return useCounter_ ? counterState_.stopTime != 0 : millisecondState_.stopTime != 0;
}

float FrameTimer::seconds(std::int64_t ticks) const {
    return float(double(ticks) / double(ticksPerSecond_));
}

// "now" is the stop time while the clock is stopped, except for start and
// absoluteTime, which always read the source.
template <typename Time, typename ReadSource>
float FrameTimer::execute(State<Time>& state, int command, ReadSource readSource) {
    auto now = [&] { return state.stopTime != 0 ? state.stopTime : readSource(); };
    switch (command) {
        case TIMER_RESET:
            state.baseTime = state.lastElapsedTime = now();
            return 0;
        case TIMER_START: {
            Time time = readSource();
            state.baseTime += time - state.stopTime;
            state.stopTime = 0;
            state.lastElapsedTime = time;
            return 0;
        }
        case TIMER_STOP:
            state.stopTime = state.lastElapsedTime = now();
            return 0;
        case TIMER_GETABSOLUTETIME:
            return seconds(readSource());
        case TIMER_GETAPPTIME:
            return seconds(now() - state.baseTime);
        case TIMER_GETELAPSEDTIME: {
            Time time = now();
            Time elapsed = time - state.lastElapsedTime;
            state.lastElapsedTime = time;
            return seconds(elapsed);
        }
        default:
            return -1;
    }
}

namespace {

FrameTimer& timerInstance(ClockSource* replacement) {
    static FrameTimer instance(systemClock());
    if (replacement) instance = FrameTimer(*replacement);
    return instance;
}

}  // namespace

FrameTimer& frameTimer() {
    return timerInstance(nullptr);
}

void useClockForFrameTimer(ClockSource& clock) {
    timerInstance(&clock);
}

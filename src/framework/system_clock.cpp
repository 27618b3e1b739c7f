// The clock of the machine: the performance counter and the millisecond
// timer of the Win32 layer.
#include "framework/frame_timer.h"
#include "platform/win32/timers.h"

namespace {

class SystemClock : public ClockSource {
  public:
    bool queryFrequency(std::int64_t* ticksPerSecond) override {
        LARGE_INTEGER frequency{};
        if (!QueryPerformanceFrequency(&frequency)) return false;
        *ticksPerSecond = frequency.QuadPart;
        return true;
    }
    std::int64_t queryCounter() override {
        LARGE_INTEGER counter{};
        QueryPerformanceCounter(&counter);
        return counter.QuadPart;
    }
    DWORD milliseconds() override { return timeGetTime(); }
};

}  // namespace

ClockSource& systemClock() {
    static SystemClock instance;
    return instance;
}

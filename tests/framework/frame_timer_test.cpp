// The frame timer on a hand-stepped clock: start, stop and reset, the
// stopped state, the two time sources and single-precision results.
#include "framework/frame_timer.h"

#include <gtest/gtest.h>

#include "framework/manual_clock.h"

namespace {

constexpr std::int64_t ticksPerSecond = 1'000'000;

class FrameTimerTest : public ::testing::Test {
  protected:
    ManualClock clock{ticksPerSecond};
    FrameTimer timer{clock};
};

TEST_F(FrameTimerTest, StartAsFirstCommandMakesApplicationTimeStartAtZero) {
    clock.advanceSeconds(100);
    timer(TIMER_START);
    EXPECT_FLOAT_EQ(timer(TIMER_GETAPPTIME), 0.0f);
    clock.advanceSeconds(2.5);
    EXPECT_FLOAT_EQ(timer(TIMER_GETAPPTIME), 2.5f);
}

TEST_F(FrameTimerTest, StopResetStartStartsAgainFromZeroAtTheStart) {
    timer(TIMER_START);
    clock.advanceSeconds(5);
    timer(TIMER_STOP);
    clock.advanceSeconds(3);
    timer(TIMER_RESET);
    EXPECT_FLOAT_EQ(timer(TIMER_GETAPPTIME), 0.0f);
    clock.advanceSeconds(7);  // still stopped: no time passes
    EXPECT_FLOAT_EQ(timer(TIMER_GETAPPTIME), 0.0f);
    timer(TIMER_START);
    EXPECT_FLOAT_EQ(timer(TIMER_GETAPPTIME), 0.0f);
    clock.advanceSeconds(1.25);
    EXPECT_FLOAT_EQ(timer(TIMER_GETAPPTIME), 1.25f);
}

TEST_F(FrameTimerTest, SecondStopKeepsTheFirstStopTime) {
    timer(TIMER_START);
    clock.advanceSeconds(2);
    timer(TIMER_STOP);
    clock.advanceSeconds(3);
    timer(TIMER_STOP);
    EXPECT_FLOAT_EQ(timer(TIMER_GETAPPTIME), 2.0f);
    timer(TIMER_START);  // the time between both stops does not count either
    clock.advanceSeconds(1);
    EXPECT_FLOAT_EQ(timer(TIMER_GETAPPTIME), 3.0f);
}

TEST_F(FrameTimerTest, StoppedClockStandsStillAndReportsNoElapsedTime) {
    timer(TIMER_START);
    clock.advanceSeconds(1);
    timer(TIMER_GETELAPSEDTIME);
    clock.advanceSeconds(0.5);
    timer(TIMER_STOP);
    EXPECT_TRUE(timer.stopped());
    clock.advanceSeconds(4);
    float frozen = timer(TIMER_GETAPPTIME);
    EXPECT_FLOAT_EQ(frozen, 1.5f);
    // Stop took the elapsed mark along, so nothing has elapsed since.
    EXPECT_EQ(timer(TIMER_GETELAPSEDTIME), 0.0f);
    clock.advanceSeconds(4);
    EXPECT_EQ(timer(TIMER_GETAPPTIME), frozen);
    EXPECT_EQ(timer(TIMER_GETELAPSEDTIME), 0.0f);
}

TEST_F(FrameTimerTest, ElapsedTimeIsMeasuredFromThePreviousCall) {
    timer(TIMER_START);
    clock.advanceSeconds(0.25);
    EXPECT_FLOAT_EQ(timer(TIMER_GETELAPSEDTIME), 0.25f);
    clock.advanceSeconds(0.125);
    EXPECT_FLOAT_EQ(timer(TIMER_GETELAPSEDTIME), 0.125f);
    EXPECT_EQ(timer(TIMER_GETELAPSEDTIME), 0.0f);
}

TEST_F(FrameTimerTest, ResetOfARunningClockMovesOnlyTheBase) {
    timer(TIMER_START);
    clock.advanceSeconds(3);
    timer(TIMER_RESET);
    EXPECT_FALSE(timer.stopped());
    clock.advanceSeconds(0.5);
    EXPECT_FLOAT_EQ(timer(TIMER_GETAPPTIME), 0.5f);
}

TEST_F(FrameTimerTest, AbsoluteTimeReadsTheSourceEvenWhenStopped) {
    clock.setCounter(10 * ticksPerSecond);
    timer(TIMER_STOP);
    clock.advanceSeconds(2);
    EXPECT_FLOAT_EQ(timer(TIMER_GETABSOLUTETIME), 12.0f);
}

TEST_F(FrameTimerTest, UnknownCommandsReturnMinusOne) {
    for (int command : {3, 4, 8, -1, 100}) EXPECT_EQ(timer(command), -1.0f) << command;
}

TEST_F(FrameTimerTest, TickDifferencesAreExactEvenFarFromTheCounterOrigin) {
    // 2^53 + 1 ticks cannot be held by a double; the difference can.
    clock.setCounter((std::int64_t(1) << 53) + 1);
    timer(TIMER_START);
    clock.advance(250'001);
    EXPECT_EQ(timer(TIMER_GETAPPTIME), float(250'001.0 / ticksPerSecond));
}

TEST(FrameTimerMilliseconds, WithoutACounterTheMillisecondTimerIsUsed) {
    ManualClock clock(ticksPerSecond, /*hasCounter=*/false);
    FrameTimer timer(clock);
    timer(TIMER_START);
    clock.advance(1'500'700);  // 1500.7 ms: the timer sees whole milliseconds
    EXPECT_FLOAT_EQ(timer(TIMER_GETAPPTIME), 1.5f);
    timer(TIMER_STOP);
    clock.advanceSeconds(10);
    EXPECT_FLOAT_EQ(timer(TIMER_GETAPPTIME), 1.5f);
    EXPECT_EQ(timer(TIMER_GETELAPSEDTIME), 0.0f);
}

TEST(FrameTimerProcessWide, UsesTheClockItIsGivenAndStartsAfresh) {
    ManualClock clock(ticksPerSecond);
    useClockForFrameTimer(clock);
    frameTimer()(TIMER_START);
    clock.advanceSeconds(0.75);
    EXPECT_FLOAT_EQ(frameTimer()(TIMER_GETAPPTIME), 0.75f);
    ManualClock other(ticksPerSecond);
    useClockForFrameTimer(other);
    EXPECT_FALSE(frameTimer().stopped());
    frameTimer()(TIMER_START);
    EXPECT_FLOAT_EQ(frameTimer()(TIMER_GETAPPTIME), 0.0f);
    useClockForFrameTimer(systemClock());
}

}  // namespace

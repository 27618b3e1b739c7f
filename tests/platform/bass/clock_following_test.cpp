// A stream following the demo's clock on an output device whose own clock
// runs fast or slow, stalls, or is paused. The music heard is read off the
// output itself: every frame of the source tells its position.
#include <gtest/gtest.h>

#include "platform/bass/position_ramp.h"
#include "platform/bass/simulated_output.h"
#include "platform/bass/stream_channel.h"

namespace {

constexpr int rate = 44100;
constexpr double startClock = 100.0;  // the clock when the music starts
constexpr double tolerance = 0.025;

class ClockFollowing : public ::testing::Test {
  protected:
    // Ten minutes of music, started at 10 s on a device `speed` times fast.
    void start(double speed) {
        mixer.removeAll();
        lastFrame.reset();
        handle = mixer.add(std::make_unique<StreamChannel>(
            std::make_unique<PositionRamp>(rate, 600 * rate), 0, rate));
        device.emplace(mixer, speed, startClock);
        playAt(10.0, startClock);
    }
    // What the music player does at a restart.
    void playAt(double seconds, double now) {
        const auto position = DWORD(seconds * rate) * 4;
        channel().setPositionBytes(position);
        channel().play(false, true);
        channel().follow(position, now);
        anchorSeconds = double(position / 4) / rate;
        anchorClock = now;
    }
    StreamChannel& channel() { return *mixer.find(handle); }

    struct Heard {
        double error;  // heard less wanted, seconds
        double step;   // music frames since the last buffer, per output frame
    };
    // Plays for `seconds`; calls `check` with each buffer's heard position.
    template <typename Check>
    void play(double seconds, Check check) {
        const double until = device->now() + seconds;
        while (device->now() < until) {
            const auto& buffer = device->nextBuffer();
            const auto frame = PositionRamp::frameOf(buffer.data());
            if (!frame) {
                lastFrame.reset();
                continue;
            }
            const double wanted = anchorSeconds + (device->now() - anchorClock);
            const double step = lastFrame ? (*frame - *lastFrame) / 1024.0 : 1.0;
            lastFrame = frame;
            check(Heard{*frame / rate - wanted, step});
        }
    }
    // The largest distance from the wanted position over `seconds`; any jump
    // fails the test.
    double worstError(double seconds) {
        double worst = 0;
        play(seconds, [&](Heard heard) {
            worst = std::max(worst, std::abs(heard.error));
            EXPECT_NEAR(heard.step, 1.0, 0.05) << "a jump at " << device->now();
        });
        return worst;
    }

    Mixer mixer;
    DWORD handle = 0;
    std::optional<SimulatedOutput> device;
    double anchorSeconds = 0, anchorClock = 0;
    std::optional<double> lastFrame;
};

TEST_F(ClockFollowing, ADeviceHalfAPercentFastOrSlowStaysInStepWithoutJumps) {
    for (double speed : {1.005, 0.995}) {
        start(speed);
        EXPECT_LT(worstError(90.0), tolerance) << "speed " << speed;
    }
}

TEST_F(ClockFollowing, AfterAStallTheMusicJumpsBackInStepWithinASecond) {
    start(1.005);
    EXPECT_LT(worstError(30.0), tolerance);
    device->stall(0.3);
    const double stalledAt = device->now();
    std::optional<double> backInStep;
    play(5.0, [&](Heard heard) {
        if (std::abs(heard.error) >= tolerance)
            backInStep.reset();
        else if (!backInStep)
            backInStep = device->now();
    });
    ASSERT_TRUE(backInStep);
    EXPECT_LT(*backInStep - stalledAt, 1.0);
    lastFrame.reset();
    EXPECT_LT(worstError(30.0), tolerance);
}

TEST_F(ClockFollowing, APausedStreamStaysSilentWhereItStoppedAndResumesInStep) {
    start(0.995);
    play(20.0, [](Heard) {});
    channel().stop();
    const DWORD stoppedAt = channel().positionBytes();
    for (int i = 0; i < 200; ++i) {  // about five seconds
        const auto& buffer = device->nextBuffer();
        ASSERT_TRUE(std::all_of(buffer.begin(), buffer.end(), [](auto s) { return s == 0; }));
    }
    EXPECT_EQ(channel().positionBytes(), stoppedAt);
    playAt(anchorSeconds + (device->now() - anchorClock), device->now());
    lastFrame.reset();
    EXPECT_LT(worstError(30.0), tolerance);
}

}  // namespace

#include "platform/bass/clock_follower.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double smoothingSeconds = 0.5;  // of the measured difference
constexpr double proportionalGain = 1.0;  // speed change per second of difference
constexpr double integralGain = 0.3;      // per second of difference per second
constexpr double largestSpeedChange = 0.02;
// A difference beyond this is a stall: more than output buffers ever jitter
// by, and more than the controller could make up quickly.
constexpr double stallSeconds = 0.15;
// After a jump the output may deliver a burst to catch up; it settles first.
constexpr double settleSeconds = 0.5;
constexpr double longestStep = 0.1;  // seconds between updates that count

}  // namespace

void ClockFollower::start(double position, double at) {
    anchorPosition_ = position;
    anchorTime_ = at;
    lastUpdate_.reset();
    smoothedError_ = 0;
    noJumpBefore_ = -std::numeric_limits<double>::infinity();
    // The integral stays: it has learnt how fast the device plays.
}

double ClockFollower::wantedAt(double now, double length) const {
    const double wanted = anchorPosition_ + (now - anchorTime_);
    return length > 0 ? wanted - length * std::floor(wanted / length) : wanted;
}

ClockFollower::Step ClockFollower::update(double heard, double now, double length) {
    const double wanted = wantedAt(now, length);
    double error = heard - wanted;
    if (length > 0) error = std::remainder(error, length);  // the short way round the loop
    const double elapsed = lastUpdate_ ? std::clamp(now - *lastUpdate_, 0.0, longestStep) : 0.0;
    lastUpdate_ = now;
    if (std::abs(error) > stallSeconds && now >= noJumpBefore_) {
        smoothedError_ = 0;
        noJumpBefore_ = now + settleSeconds;
        return {speedFor(0, 0), wanted};
    }
    return {speedFor(error, elapsed), std::nullopt};
}

// Behind (a negative error) plays faster. The integral only grows while the
// speed is within its limits, so it never winds up.
double ClockFollower::speedFor(double error, double elapsed) {
    smoothedError_ += (error - smoothedError_) * std::min(1.0, elapsed / smoothingSeconds);
    const double integral = integral_ + smoothedError_ * elapsed;
    const double speed = 1.0 - proportionalGain * smoothedError_ - integralGain * integral;
    if (std::abs(speed - 1.0) < largestSpeedChange) integral_ = integral;
    return std::clamp(speed, 1.0 - largestSpeedChange, 1.0 + largestSpeedChange);
}

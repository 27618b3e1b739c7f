// Keeps music in step with a clock it does not drive: the caller's clock
// says where the music should be, the output device's clock says how fast
// it is really played, and the two never run exactly together.
//
// At every output buffer the follower compares where the music is with where
// it should be. Small differences (a device clock a little fast or slow) are
// corrected by playing a fraction of a percent faster or slower, smoothly: a
// proportional-integral controller on the smoothed difference. Only a large
// difference, which only a stall of the output produces, is corrected by a
// jump.
#pragma once

#include <limits>
#include <optional>

class ClockFollower {
  public:
    struct Step {
        double speed = 1.0;            // how fast to play the music now
        std::optional<double> jumpTo;  // seconds: a stall, jump there at once
    };

    // The music should be at `position` seconds when the clock reads `at`
    // seconds, and move on with the clock from there.
    void start(double position, double at);
    // The music is at `heard` seconds when the clock reads `now`. length: the
    // music's length in seconds when it loops (positions are taken round it),
    // 0 when it does not.
    Step update(double heard, double now, double length);

  private:
    double wantedAt(double now, double length) const;
    double speedFor(double error, double elapsed);

    double anchorPosition_ = 0;
    double anchorTime_ = 0;
    std::optional<double> lastUpdate_;
    double smoothedError_ = 0;
    double integral_ = 0;
    double noJumpBefore_ = -std::numeric_limits<double>::infinity();
};

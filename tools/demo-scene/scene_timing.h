// The sample scene's clock: 480 frames of 160 ticks, 16 seconds a loop at
// the player's default 30 frames per second (eight bars of the music).
#pragma once

#include <cmath>
#include <cstdint>

constexpr std::int32_t kLoopFrames = 480;
constexpr std::int32_t kTicksPerFrame = 160;
constexpr std::int32_t kLoopTicks = kLoopFrames * kTicksPerFrame;

// The tick at `phase` of the loop (0 start, 1 end).
inline std::int32_t loopTick(float phase) {
    return std::int32_t(std::lround(double(phase) * kLoopTicks));
}

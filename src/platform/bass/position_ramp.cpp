#include "platform/bass/position_ramp.h"

namespace {

constexpr int wrap = 32768;
constexpr int blur = 4;  // output frames next to a wrap that mix both sides of it

}  // namespace

std::size_t PositionRamp::read(std::size_t frame, std::int16_t* out, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = (frame + i) % frames_;
        out[2 * i] = std::int16_t(int(at % wrap) - wrap / 2);
        out[2 * i + 1] = std::int16_t(at / wrap);
    }
    return count;
}

std::optional<double> PositionRamp::frameOf(const std::int16_t* stereoFrame) {
    const int withinWrap = stereoFrame[0] + wrap / 2;
    if (withinWrap < blur || withinWrap >= wrap - blur) return std::nullopt;
    return double(stereoFrame[1]) * wrap + withinWrap;
}

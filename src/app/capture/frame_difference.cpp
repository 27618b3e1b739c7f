#include "app/capture/frame_difference.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

double psnr(const RgbImage& a, const RgbImage& b) {
    double squares = 0;
    for (std::size_t i = 0; i < a.rgb.size(); ++i) {
        const double d = double(a.rgb[i]) - double(b.rgb[i]);
        squares += d * d;
    }
    if (squares == 0 || a.rgb.empty()) return std::numeric_limits<double>::infinity();
    const double meanSquare = squares / double(a.rgb.size());
    return 10.0 * std::log10(255.0 * 255.0 / meanSquare);
}

RgbImage differenceImage(const RgbImage& captured, const RgbImage& golden) {
    RgbImage out = captured;
    for (std::size_t i = 0; i + 2 < out.rgb.size(); i += 3) {
        int largest = 0;
        for (std::size_t c = 0; c < 3; ++c)
            largest =
                std::max(largest, std::abs(int(captured.rgb[i + c]) - int(golden.rgb[i + c])));
        const std::uint8_t grey =
            std::uint8_t((captured.rgb[i] + captured.rgb[i + 1] + captured.rgb[i + 2]) / 9);
        out.rgb[i] = largest ? std::uint8_t(std::min(255, 128 + largest)) : grey;
        out.rgb[i + 1] = largest ? 0 : grey;
        out.rgb[i + 2] = largest ? 0 : grey;
    }
    return out;
}

// The sample production's title card, the picture of its setup dialog: an
// evening sky over a still pool between columns, a golden halo setting
// behind the horizon, and the title in the player's block letters.
#include <algorithm>
#include <cmath>
#include <string_view>

#include "drawings.h"
#include "framework/block_letters.h"

namespace {

constexpr float horizon = 0.64f;

struct Rgb {
    float r, g, b;
};

Rgb mix(Rgb a, Rgb b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

std::uint32_t opaque(Rgb c) {
    const auto byte = [](float v) { return std::uint32_t(std::clamp(v, 0.0f, 1.0f) * 255 + 0.5f); };
    return 0xff000000u | byte(c.r) << 16 | byte(c.g) << 8 | byte(c.b);
}

// Sky and halo above the horizon, in picture units (height 1).
Rgb sky(float x, float y) {
    const float t = std::pow(std::clamp(y / horizon, 0.0f, 1.0f), 1.6f);
    Rgb colour = mix(Rgb{0.05f, 0.06f, 0.20f}, Rgb{0.98f, 0.52f, 0.34f}, t);
    const float r = std::hypot(x - 0.667f, y - (horizon - 0.04f));
    const float halo = std::exp(-std::pow((r - 0.22f) / 0.018f, 2.0f));
    const float glow = std::exp(-r * r / 0.02f);
    return mix(colour, Rgb{1.0f, 0.86f, 0.45f}, std::min(1.0f, halo + 0.5f * glow));
}

bool column(float x, float y) {
    const float centres[] = {0.12f, 0.30f, 1.03f, 1.21f};
    for (float c : centres) {
        const float half = y < 0.27f ? 0.045f : 0.028f;  // the capital is wider
        if (y > 0.24f && std::abs(x - c) < half) return true;
    }
    return false;
}

Rgb scene(float x, float y) {
    if (y < horizon) return column(x, y) ? Rgb{0.08f, 0.05f, 0.12f} : sky(x, y);
    const float depth = y - horizon;
    const float ripple = 0.004f * std::sin(depth * 260.0f) * (0.3f + depth * 4);
    const float mirrored = horizon - depth * 1.4f;
    Rgb reflected =
        column(x + ripple, mirrored) ? Rgb{0.06f, 0.04f, 0.10f} : sky(x + ripple, mirrored);
    return mix(reflected, Rgb{0.02f, 0.03f, 0.08f}, std::min(0.85f, 0.35f + depth * 2.2f));
}

void write(Picture& picture, std::string_view text, unsigned top, unsigned scale, Rgb colour) {
    const BlockText set = setInBlockLetters(text, scale);
    const unsigned left = (picture.width - std::min(set.width, picture.width)) / 2;
    const unsigned shadow = scale / 3 + 1;
    for (unsigned y = 0; y < set.height + shadow && top + y < picture.height; ++y)
        for (unsigned x = 0; x < set.width + shadow && left + x < picture.width; ++x) {
            std::uint32_t& pixel = picture.pixels[(top + y) * picture.width + left + x];
            if (set.at(x, y))
                pixel = opaque(colour);
            else if (x >= shadow && y >= shadow && set.at(x - shadow, y - shadow))
                pixel = opaque(Rgb{0.03f, 0.02f, 0.08f});
        }
}

}  // namespace

Picture titleCard(unsigned width, unsigned height) {
    Picture picture{width, height, std::vector<std::uint32_t>(std::size_t(width) * height)};
    for (unsigned y = 0; y < height; ++y)
        for (unsigned x = 0; x < width; ++x)
            picture.pixels[std::size_t(y) * width + x] =
                opaque(scene((x + 0.5f) / height, (y + 0.5f) / height));
    write(picture, "VEXMOORRA", height / 10, std::max(1u, width / 80), Rgb{1.0f, 0.93f, 0.78f});
    write(picture, "A TESSAL SAMPLE PRODUCTION", height * 88 / 100, std::max(1u, width / 200),
          Rgb{0.85f, 0.80f, 0.95f});
    return picture;
}

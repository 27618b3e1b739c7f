#include "drawings.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float PI = 3.14159265f;

std::uint32_t argb(float a, float r, float g, float b) {
    const auto byte = [](float v) {
        return std::uint32_t(std::clamp(v, 0.0f, 1.0f) * 255.0f + 0.5f);
    };
    return byte(a) << 24 | byte(r) << 16 | byte(g) << 8 | byte(b);
}

template <class Colour>
Picture draw(unsigned width, unsigned height, Colour colour) {
    Picture picture{width, height, {}};
    picture.pixels.reserve(std::size_t(width) * height);
    for (unsigned y = 0; y < height; ++y)
        for (unsigned x = 0; x < width; ++x)
            picture.pixels.push_back(colour((x + 0.5f) / width, (y + 0.5f) / height));
    return picture;
}

// 1 inside, 0 outside, a smooth step `width` wide around the edge at 0.
float coverage(float signedDistance, float width) {
    return std::clamp(0.5f - signedDistance / width, 0.0f, 1.0f);
}

}  // namespace

Picture backdrop(unsigned size) {
    return draw(size, size, [](float u, float v) {
        const float wave =
            std::sin(u * 9.0f) + std::sin(v * 7.0f + u * 3.0f) + std::sin((u + v) * 5.0f);
        const float t = wave / 6.0f + 0.5f;
        return argb(1, 0.15f + 0.35f * t, 0.10f + 0.25f * (1 - t), 0.35f + 0.45f * t);
    });
}

Picture emblem(unsigned width, unsigned height) {
    const float aspect = float(width) / height;
    return draw(width, height, [aspect](float u, float v) {
        const float x = (u - 0.5f) * aspect, y = v - 0.5f;
        const float r = std::sqrt(x * x + y * y);
        const float ring = std::abs(r - 0.32f) - 0.1f;
        const float a = coverage(ring, 0.02f);
        const float angle = std::atan2(y, x) / (2 * PI) + 0.5f;
        return argb(a, 0.6f + 0.4f * std::sin(angle * 2 * PI), 0.5f + 0.5f * angle,
                    1.0f - 0.6f * angle);
    });
}

Picture star(unsigned size) {
    return draw(size, size, [](float u, float v) {
        const float x = u - 0.5f, y = v - 0.5f;
        const float r = std::sqrt(x * x + y * y);
        const float angle = std::atan2(y, x) + PI / 2;
        // The outline swings between an inner and an outer radius five times a turn.
        const float arm = std::abs(std::cos(angle * 2.5f));
        const float edge = 0.18f + 0.27f * std::pow(arm, 3.0f);
        const float a = coverage(r - edge, 0.015f);
        const float glow = 1.0f - r * 1.6f;
        return argb(a, 1.0f, 0.75f + 0.25f * glow, 0.2f + 0.8f * glow);
    });
}

Picture stripes(unsigned size) {
    return draw(size, size, [](float u, float v) {
        const float h = std::fmod((u + v) * 3.0f, 1.0f) * 6.0f;
        const float r = std::clamp(std::abs(h - 3.0f) - 1.0f, 0.0f, 1.0f);
        const float g = std::clamp(2.0f - std::abs(h - 2.0f), 0.0f, 1.0f);
        const float b = std::clamp(2.0f - std::abs(h - 4.0f), 0.0f, 1.0f);
        return argb(1, r, g, b);
    });
}

Picture radialMask(unsigned size) {
    return draw(size, size, [](float u, float v) {
        const float x = u - 0.5f, y = v - 0.5f;
        const float grey = std::clamp(1.0f - std::sqrt(x * x + y * y) * 2.0f, 0.0f, 1.0f);
        return argb(1, grey, grey, grey);
    });
}

Picture sky(unsigned size) {
    return draw(size, size, [](float u, float v) {
        const float height = 0.5f - v;  // above the horizon when positive
        const float up = std::clamp(height * 2.5f, 0.0f, 1.0f);
        const float glowBand = std::exp(-std::abs(height) * 14.0f);
        float r = 0.10f + 0.85f * glowBand * (1 - up), g = 0.16f + 0.45f * glowBand * (1 - up),
              b = 0.42f * up + 0.30f * glowBand;
        if (height > 0) {
            const float streak = std::pow(std::max(0.0f, std::sin(v * 70.0f + u * 6.0f)), 8.0f) *
                                 (0.5f + 0.5f * std::sin(u * 2 * PI * 3.0f)) * (1 - up);
            r += 0.45f * streak;
            g += 0.30f * streak;
            b += 0.25f * streak;
        } else {
            const float ground = std::clamp(-height * 6.0f, 0.0f, 1.0f);
            r = r * (1 - ground) + 0.07f * ground;
            g = g * (1 - ground) + 0.05f * ground;
            b = b * (1 - ground) + 0.09f * ground;
        }
        const float du = u - 0.68f, dv = v - 0.42f;
        const float sun = std::exp(-(du * du + dv * dv) * 900.0f);
        return argb(1, r + sun, g + 0.85f * sun, b + 0.6f * sun);
    });
}

Picture glass(unsigned size) {
    return draw(size, size, [](float u, float v) {
        const float edge = std::min(std::min(u, 1 - u), std::min(v, 1 - v));
        if (edge < 0.05f) {
            const float shine = 0.75f + 0.25f * std::sin((u + v) * 12.0f);
            return argb(0.9f, 0.8f * shine, 0.85f * shine, 0.9f * shine);
        }
        const float streak = std::pow(0.5f + 0.5f * std::sin((u * 0.7f + v) * 2 * PI * 3.0f), 6.0f);
        return argb(0.3f + 0.3f * streak, 0.75f + 0.25f * streak, 0.9f + 0.1f * streak, 1.0f);
    });
}

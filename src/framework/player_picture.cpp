// The player's own picture for the setup dialog, for productions that bring
// none: a dusk gradient, a ring of light and the player's name.
#include <algorithm>
#include <cmath>
#include <string_view>

#include "framework/block_letters.h"
#include "framework/setup_picture.h"

namespace {

struct Rgb {
    double r, g, b;
};

Rgb mix(Rgb a, Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

std::uint32_t packed(Rgb c) {
    auto channel = [](double v) { return std::uint32_t(std::lround(std::clamp(v, 0.0, 255.0))); };
    return 0xff000000u | channel(c.r) << 16 | channel(c.g) << 8 | channel(c.b);
}

Rgb background(unsigned x, unsigned y) {
    const Rgb top{14, 20, 52}, bottom{92, 40, 84};
    Rgb sky = mix(top, bottom, double(y) / (setupPictureHeight - 1));
    const double distance = std::hypot(x - 200.0, y - 128.0);
    const double glow = std::exp(-std::pow((distance - 104.0) / 7.0, 2.0));
    return mix(sky, Rgb{255, 180, 90}, 0.8 * glow);
}

void fillBackground(SetupPicture& picture) {
    for (unsigned y = 0; y < picture.height; ++y)
        for (unsigned x = 0; x < picture.width; ++x)
            picture.pixels[y * picture.width + x] = packed(background(x, y));
}

// Writes the text centred on the row at `top`, with a dark shadow a third
// of a cell down and right.
void writeCentred(SetupPicture& picture, std::string_view text, unsigned top, unsigned scale,
                  Rgb colour) {
    const BlockText set = setInBlockLetters(text, scale);
    const unsigned left = (picture.width - set.width) / 2;
    const unsigned shadow = scale / 3 + 1;
    for (unsigned y = 0; y < set.height + shadow; ++y)
        for (unsigned x = 0; x < set.width + shadow; ++x) {
            if (top + y >= picture.height || left + x >= picture.width) continue;
            std::uint32_t& pixel = picture.pixels[(top + y) * picture.width + left + x];
            if (set.at(x, y))
                pixel = packed(colour);
            else if (x >= shadow && y >= shadow && set.at(x - shadow, y - shadow))
                pixel = packed(Rgb{10, 8, 24});
        }
}

}  // namespace

SetupPicture drawPlayerPicture() {
    SetupPicture picture{setupPictureWidth, setupPictureHeight,
                         std::vector<std::uint32_t>(setupPictureWidth * setupPictureHeight)};
    fillBackground(picture);
    writeCentred(picture, "TESSAL", 100, 8, Rgb{250, 244, 230});
    writeCentred(picture, "DEMO PLAYER", 250, 2, Rgb{220, 200, 230});
    return picture;
}

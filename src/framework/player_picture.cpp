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

void fillCell(SetupPicture& picture, unsigned left, unsigned top, unsigned size, Rgb colour) {
    for (unsigned y = top; y < top + size && y < picture.height; ++y)
        for (unsigned x = left; x < left + size && x < picture.width; ++x)
            picture.pixels[y * picture.width + x] = packed(colour);
}

// Writes the text centred on the row at `top`, each glyph cell `scale`
// pixels square, with a shadow one cell-third down and right.
void writeCentred(SetupPicture& picture, std::string_view text, unsigned top, unsigned scale,
                  Rgb colour) {
    const unsigned advance = (blockLetterColumns + 1) * scale;
    const unsigned left = (picture.width - unsigned(text.size()) * advance + scale) / 2;
    for (unsigned offset : {scale / 3 + 1, 0u})
        for (unsigned i = 0; i < text.size(); ++i)
            for (unsigned row = 0; row < blockLetterRows; ++row)
                for (unsigned column = 0; column < blockLetterColumns; ++column)
                    if (blockLetterCell(text[i], column, row))
                        fillCell(picture, left + i * advance + column * scale + offset,
                                 top + row * scale + offset, scale,
                                 offset ? Rgb{10, 8, 24} : colour);
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

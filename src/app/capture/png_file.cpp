#include "app/capture/png_file.h"

#include <png.h>

#include <cstdio>
#include <vector>

namespace {

std::vector<std::uint8_t> toRgbRows(int width, int height, const std::uint8_t* argb, int pitch) {
    std::vector<std::uint8_t> rgb(std::size_t(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = argb + std::size_t(y) * pitch;
        std::uint8_t* out = &rgb[std::size_t(y) * width * 3];
        for (int x = 0; x < width; ++x) {
            std::uint32_t pixel = row[4 * x] | row[4 * x + 1] << 8 | row[4 * x + 2] << 16 |
                                  std::uint32_t(row[4 * x + 3]) << 24;
            out[3 * x] = (pixel >> 16) & 0xff;
            out[3 * x + 1] = (pixel >> 8) & 0xff;
            out[3 * x + 2] = pixel & 0xff;
        }
    }
    return rgb;
}

}  // namespace

bool writePng(const std::string& path, int width, int height, const std::uint8_t* argb, int pitch) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(width);
    image.height = png_uint_32(height);
    image.format = PNG_FORMAT_RGB;
    std::vector<std::uint8_t> rgb = toRgbRows(width, height, argb, pitch);
    if (!png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), width * 3, nullptr)) {
        std::fprintf(stderr, "tessal-capture: cannot write %s: %s\n", path.c_str(), image.message);
        return false;
    }
    return true;
}

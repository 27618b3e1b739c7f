#include "app/capture/rgb_image.h"

#include <png.h>

#include <cstdio>

RgbImage rgbFromFrame(const CapturedFrame& frame) {
    RgbImage image{frame.width, frame.height, {}};
    image.rgb.resize(std::size_t(frame.width) * std::size_t(frame.height) * 3);
    for (int y = 0; y < frame.height; ++y) {
        const std::uint8_t* bgrx = frame.pixels + std::size_t(y) * std::size_t(frame.pitch);
        std::uint8_t* out = &image.rgb[std::size_t(y) * std::size_t(frame.width) * 3];
        for (int x = 0; x < frame.width; ++x, bgrx += 4, out += 3) {
            out[0] = bgrx[2];
            out[1] = bgrx[1];
            out[2] = bgrx[0];
        }
    }
    return image;
}

bool decodeRgbPng(const std::vector<std::uint8_t>& bytes, RgbImage& image, std::string& error) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&png, bytes.data(), bytes.size())) {
        error = png.message;
        return false;
    }
    // No capture is larger; a bigger header is no frame of ours.
    if (png.width > 8192 || png.height > 8192) {
        png_image_free(&png);
        error = "larger than any capture";
        return false;
    }
    png.format = PNG_FORMAT_RGB;
    image.width = int(png.width);
    image.height = int(png.height);
    image.rgb.assign(PNG_IMAGE_SIZE(png), 0);
    if (!png_image_finish_read(&png, nullptr, image.rgb.data(), 0, nullptr)) {
        error = png.message;
        image = {};
        return false;
    }
    return true;
}

bool writeRgbPng(const std::string& path, const RgbImage& image) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = png_uint_32(image.width);
    png.height = png_uint_32(image.height);
    png.format = PNG_FORMAT_RGB;
    if (!png_image_write_to_file(&png, path.c_str(), 0, image.rgb.data(), image.width * 3,
                                 nullptr)) {
        std::fprintf(stderr, "tessal-capture: cannot write %s: %s\n", path.c_str(), png.message);
        return false;
    }
    return true;
}

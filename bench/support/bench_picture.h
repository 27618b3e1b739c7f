// The picture the image-layer benchmarks draw: 256 × 256 A8R8G8B8 with
// colour and alpha that vary across it (alpha never 0, so an alpha test
// keeps every pixel), as pixels and as an uncompressed 32-bit TGA file.
#pragma once

#include <cstdint>
#include <vector>

constexpr unsigned BENCH_PICTURE_SIDE = 256;

// Rows top first, each pixel 0xAARRGGBB.
inline std::vector<std::uint32_t> benchPicturePixels() {
    std::vector<std::uint32_t> pixels;
    for (unsigned y = 0; y < BENCH_PICTURE_SIDE; ++y)
        for (unsigned x = 0; x < BENCH_PICTURE_SIDE; ++x) {
            const std::uint32_t alpha = 64 + (x + y) % 192;
            pixels.push_back(alpha << 24 | x << 16 | y << 8 | ((x ^ y) & 0xff));
        }
    return pixels;
}

// Image type 2 (true colour), 32 bits, 8 alpha bits, rows top first.
inline std::vector<std::uint8_t> benchPictureTga() {
    const std::uint8_t side[2] = {BENCH_PICTURE_SIDE & 0xff, BENCH_PICTURE_SIDE >> 8};
    std::vector<std::uint8_t> file = {0, 0, 2, 0,       0,       0,       0,       0,  0,
                                      0, 0, 0, side[0], side[1], side[0], side[1], 32, 0x28};
    for (std::uint32_t pixel : benchPicturePixels())
        for (int shift = 0; shift < 32; shift += 8) file.push_back(std::uint8_t(pixel >> shift));
    return file;
}

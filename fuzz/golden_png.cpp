// Fuzzes the reader of golden frames (tessal-capture --compare) with
// arbitrary bytes: an image it accepts has exactly its declared pixels.
#include <cstddef>
#include <cstdint>

#include "app/capture/rgb_image.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> bytes(data, data + size);
    RgbImage image;
    std::string error;
    if (decodeRgbPng(bytes, image, error) &&
        image.rgb.size() != std::size_t(image.width) * std::size_t(image.height) * 3)
        __builtin_trap();
    return 0;
}

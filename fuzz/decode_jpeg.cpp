// Fuzzes the JPEG decoder with arbitrary bytes. The limits keep a
// declared size from asking for more than 16 MiB of pixels.
#include <cstddef>
#include <cstdint>

#include "d3dx/decoded_image.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    DecodedImage image;
    if (decodeJpeg(ImageBytes(data, size), ImageLimits{2048, 2048}, image) &&
        image.pixels.size() != std::size_t(image.width) * image.height)
        __builtin_trap();
    return 0;
}

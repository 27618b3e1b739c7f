#include "d3dx/decoded_image.h"

namespace {

bool startsWith(ImageBytes bytes, std::initializer_list<std::uint8_t> signature) {
    return bytes.size() >= signature.size() &&
           std::equal(signature.begin(), signature.end(), bytes.begin());
}

}  // namespace

bool decodeImage(ImageBytes bytes, const ImageLimits& limits, DecodedImage& image) {
    if (startsWith(bytes, {0x89, 'P', 'N', 'G'})) return decodePng(bytes, limits, image);
    if (startsWith(bytes, {0xff, 0xd8, 0xff})) return decodeJpeg(bytes, limits, image);
    if (startsWith(bytes, {'B', 'M'})) return decodeBmp(bytes, limits, image);
    return decodeTga(bytes, limits, image);
}

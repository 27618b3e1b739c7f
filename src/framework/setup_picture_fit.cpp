// Fitting a production's picture into the dialog's 400 x 300: scaled until
// it touches two opposite edges, proportions kept, centred on black.
#include <algorithm>

#include "d3dx/image_resample.h"
#include "framework/setup_picture.h"

namespace {

struct FittedSize {
    unsigned width;
    unsigned height;
};

FittedSize fittedSize(unsigned width, unsigned height) {
    const double scale =
        std::min(double(setupPictureWidth) / width, double(setupPictureHeight) / height);
    auto fit = [scale](unsigned size, unsigned limit) {
        return std::clamp(unsigned(size * scale + 0.5), 1u, limit);
    };
    return {fit(width, setupPictureWidth), fit(height, setupPictureHeight)};
}

// Alpha is composed over black: the dialog shows no transparency.
std::uint32_t overBlack(std::uint32_t argb) {
    const std::uint32_t alpha = argb >> 24;
    auto channel = [alpha](std::uint32_t value) { return (value & 0xff) * alpha / 255; };
    return 0xff000000u | channel(argb >> 16) << 16 | channel(argb >> 8) << 8 | channel(argb);
}

}  // namespace

SetupPicture fitSetupPicture(const DecodedImage& image) {
    const FittedSize size = fittedSize(image.width, image.height);
    std::vector<DWORD> scaled =
        size.width == image.width && size.height == image.height
            ? image.pixels
            : resampleImage(image.pixels, image.width, image.height, size.width, size.height,
                            ResampleFilter::Triangle);
    SetupPicture picture{
        setupPictureWidth, setupPictureHeight,
        std::vector<std::uint32_t>(setupPictureWidth * setupPictureHeight, 0xff000000u)};
    const unsigned left = (setupPictureWidth - size.width) / 2;
    const unsigned top = (setupPictureHeight - size.height) / 2;
    for (unsigned y = 0; y < size.height; ++y)
        for (unsigned x = 0; x < size.width; ++x)
            picture.pixels[(top + y) * setupPictureWidth + left + x] =
                overBlack(scaled[std::size_t(y) * size.width + x]);
    return picture;
}

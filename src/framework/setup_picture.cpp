#include "framework/setup_picture.h"

#include <cstdlib>
#include <optional>

#include "media/data_access.h"
#include "platform/files/regular_file.h"

namespace {

// Larger files are not pictures for a dialog.
constexpr std::uintmax_t maxPictureBytes = 64u << 20;

std::vector<std::uint8_t> readUnpacked() {
    auto bytes = readRegularFile(DataAccess::resolvePath(setupPictureName), maxPictureBytes);
    return bytes ? std::move(*bytes) : std::vector<std::uint8_t>{};
}

std::vector<std::uint8_t> readPacked() {
    std::uint8_t* buffer = nullptr;
    std::uint32_t size = 0;
    if (!DataAccess::extract(setupPictureName, buffer, size)) return {};
    std::vector<std::uint8_t> bytes(buffer, buffer + size);
    std::free(buffer);
    return bytes;
}

std::optional<DecodedImage> decodePicture(const std::vector<std::uint8_t>& bytes) {
    DecodedImage image;
    if (bytes.empty() || !decodeImage(bytes, ImageLimits{}, image)) return std::nullopt;
    return image;
}

}  // namespace

SetupPicture loadSetupPicture() {
    std::optional<DecodedImage> image =
        decodePicture(DataAccess::unpackedMode ? readUnpacked() : readPacked());
    return image ? fitSetupPicture(*image) : drawPlayerPicture();
}

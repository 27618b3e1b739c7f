#include "framework/setup_picture.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>

#include "media/data_access.h"

namespace {

// Larger files are not pictures for a dialog.
constexpr std::uintmax_t maxPictureBytes = 64u << 20;

std::vector<std::uint8_t> readUnpacked() {
    const std::string path = DataAccess::resolvePath(setupPictureName);
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size == 0 || size > maxPictureBytes) return {};
    std::vector<std::uint8_t> bytes(size);
    std::ifstream file(path, std::ios::binary);
    if (!file.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(size))) return {};
    return bytes;
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

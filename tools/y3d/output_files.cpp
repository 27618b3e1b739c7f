#include "output_files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "platform/files/regular_file.h"

namespace fs = std::filesystem;

namespace {

bool writeAll(int fd, std::span<const std::uint8_t> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += std::size_t(n);
    }
    return true;
}

// The bytes of one image; empty when it cannot be had.
std::vector<std::uint8_t> imageBytes(const ReferencedTexture& texture,
                                     const std::string& inputFolder) {
    if (texture.embedded == nullptr) {
        const fs::path source =
            fs::path(inputFolder.empty() ? "." : inputFolder) / texture.sceneName;
        return readRegularFile(source.string()).value_or(std::vector<std::uint8_t>{});
    }
    if (texture.embedded->mHeight != 0) return {};  // raw texels: no file format to keep
    const auto* data = reinterpret_cast<const std::uint8_t*>(texture.embedded->pcData);
    return {data, data + texture.embedded->mWidth};
}

}  // namespace

bool writeAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                     std::string& error) {
    std::string temporary = path + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    // mkstemp makes the file private; a scene is an ordinary file.
    const bool written = ::fchmod(fd, 0644) == 0 && writeAll(fd, bytes) && ::fsync(fd) == 0;
    const int savedErrno = errno;
    const bool closed = ::close(fd) == 0;
    if (written && closed && ::rename(temporary.c_str(), path.c_str()) == 0) return true;
    error = std::strerror(written && closed ? errno : savedErrno);
    ::unlink(temporary.c_str());
    return false;
}

std::size_t copyTextures(const std::vector<ReferencedTexture>& textures,
                         const std::string& inputFolder, const std::string& folder,
                         std::vector<std::string>& warnings) {
    std::size_t written = 0;
    for (const ReferencedTexture& texture : textures) {
        const std::vector<std::uint8_t> bytes = imageBytes(texture, inputFolder);
        const fs::path target = fs::path(folder) / texture.sceneName;
        std::error_code ignored;
        fs::create_directories(target.parent_path(), ignored);
        std::string error = "cannot be read";
        if (!bytes.empty() && writeAtomically(target.string(), bytes, error))
            ++written;
        else
            warnings.push_back("texture " + texture.sceneName + " not copied: " + error);
    }
    return written;
}

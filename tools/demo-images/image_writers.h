// Writers for the four formats the player reads, for the sample
// production's textures. Pixels are A8R8G8B8, rows top first.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Picture {
    unsigned width = 0;
    unsigned height = 0;
    std::vector<std::uint32_t> pixels;
};

// Each returns false (after printing why) when the file cannot be written.
bool writePngFile(const std::string& path, const Picture& picture);                // RGBA
bool writeJpegFile(const std::string& path, const Picture& picture, int quality);  // RGB
bool writeTgaFile(const std::string& path, const Picture& picture);  // 32-bit, run-length
bool writeBmpFile(const std::string& path, const Picture& picture);  // 24-bit

// Writes captured frames as PNG files.
#pragma once

#include <cstdint>
#include <string>

// Writes an image given as 32-bit ARGB pixels, top row first, `pitch` bytes
// per row, as an 8-bit RGB PNG. Returns false (and prints why) on failure.
bool writePng(const std::string& path, int width, int height, const std::uint8_t* argb, int pitch);

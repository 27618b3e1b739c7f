// Reads part of a file into memory.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

// length bytes from offset, or everything from offset when length is 0.
// Nothing when the file cannot be opened or read, or offset lies beyond it.
std::optional<std::vector<std::uint8_t>> readFileBytes(const char* path, std::uint32_t offset,
                                                       std::uint32_t length);

// The status of data/script.lua that the watcher compares: its
// modification time.
#pragma once

#include <cstdint>

// Nanoseconds since the epoch; scriptMissing when the file cannot be found.
constexpr std::int64_t scriptMissing = -1;
std::int64_t scriptModificationTime();

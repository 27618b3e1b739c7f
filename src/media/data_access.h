// Where a production's named files come from: the data/ directory in
// unpacked mode, the archive data.rar in packed mode.
#pragma once

#include <cstdint>
#include <string>

namespace DataAccess {

// Unpacked mode (data/ on disk) unless demo.ini asked for packed mode; set
// before anything reads data and never changed afterwards.
inline bool unpackedMode = true;

// "data/" followed by name.
std::string dataPath(const std::string& name);

// The path a name written in a script or scene refers to in unpacked mode:
// `\` is read as `/`, and when no file has exactly that name, each
// component is matched without regard to letter case. When nothing
// matches, the plain path (which then fails to open).
std::string resolvePath(const std::string& name);

// Packed mode: the archive member `name` in a malloc'd buffer the caller
// frees. On failure prints "Failed to unpack %s\n" and returns false with
// buffer null and size 0.
bool extract(const std::string& name, std::uint8_t*& buffer, std::uint32_t& size);

}  // namespace DataAccess

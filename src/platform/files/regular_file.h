// Reading the files a production names or a viewer points a tool at: only
// regular files are read. A folder, a device, a FIFO or a socket is refused
// without being read (a FIFO would block until someone writes to it), and a
// file that grows or shrinks while it is read gives the bytes read up to its
// end, never more than the limit.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

enum class FileError { none, missing, notRegular, unreadable, tooLarge };

// "no such file", "not a regular file", "cannot be read", "too large".
const char* describeFileError(FileError error);

// The whole file, at most `maxBytes` long; nothing (and why, if asked) when
// it is not a regular file, cannot be read or is longer.
std::optional<std::vector<std::uint8_t>> readRegularFile(const std::string& path,
                                                         std::uint64_t maxBytes = UINT64_MAX,
                                                         FileError* error = nullptr);

// A stream for reading, opened only when the path names a regular file
// (for code that reads through stdio); null otherwise.
std::FILE* openRegularFile(const std::string& path, FileError* error = nullptr);

// Whether the path names a regular file (following links).
bool isRegularFile(const std::string& path);

// Collects the files to pack: a file under its own name, a directory's
// files (recursively, sorted) under their paths relative to it.
#pragma once

#include <string>
#include <vector>

#include "archive/archive_writer.h"

// Reads every file; on failure returns false with a one-line message.
// skipPath (the archive being written) is left out if met.
bool collectInputs(const std::vector<std::string>& paths, const std::string& skipPath,
                   std::vector<PackEntry>& entries, std::string& error);

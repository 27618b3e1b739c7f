// Finding font files for a face name, weight and slant through fontconfig.
#pragma once

#include <string>
#include <vector>

namespace gdi {

struct FontRequest {
    std::string faceName;  // empty: the default face
    int weight = 400;      // FW_* (OpenType weight)
    bool italic = false;
};

struct FontFile {
    std::string path;
    int index = 0;  // face within the file
    // The file lacks the asked-for style, so it is drawn synthetically, as GDI does.
    bool simulateBold = false;
    bool simulateItalic = false;
};

// Files fontconfig offers for the request, best match first. An unknown face
// name still yields fontconfig's default faces; "Arial" yields a
// metric-compatible face (Liberation Sans) where one is installed.
std::vector<FontFile> fontCandidates(const FontRequest& request);

}  // namespace gdi

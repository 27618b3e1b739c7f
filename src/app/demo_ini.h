// demo.ini: three switches read with formatted scans in a fixed order.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

struct DemoIni {
    int packed = 0;
    int setup = 0;
    int zb24bit = 0;
};

// Scans the bytes of a demo.ini as the player does: "packed %d\n", then
// "setup %d\n", then "zb24bit %d\n", each scan going on where the previous
// one stopped. A value that is not scanned stays 0.
DemoIni parseDemoIni(const char* bytes, std::size_t size);

// Reads demo.ini from a directory; nothing when the file cannot be opened.
std::optional<DemoIni> readDemoIni(const std::string& path);
